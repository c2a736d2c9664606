#include "game/game_state.h"

MapGrid playfield;
PlayerState player1;
PlayerState player2;

std::int32_t historyIndex = 0;
std::int32_t itemCount = 0;
RoundOutcome outcome = None;
float lastTickTime = 0.0f;
bool pauseLatch = false;

bool inMenu = true;
bool isLoading = false;
bool roundOver = false;
bool paused = false;
bool twoPlayer = false;
float loadingStartTime = 0.0f;
bool quitRequested = false;

int menuSelection = 1;
int speedLevel = 2;

bool upLatch = false;
bool downLatch = false;
bool leftLatch = false;
bool rightLatch = false;
bool enterLatch = false;

void ResetGameState() {
    playfield = MapGrid{};
    player1 = PlayerState{};
    player2 = PlayerState{};
    historyIndex = 0;
    itemCount = 0;
    outcome = None;
    lastTickTime = 0.0f;
    pauseLatch = false;
    inMenu = true;
    isLoading = false;
    roundOver = false;
    paused = false;
    twoPlayer = false;
    loadingStartTime = 0.0f;
    quitRequested = false;
    mapSlot = 1;
    menuSelection = 1;
    speedLevel = 2;
    upLatch = false;
    downLatch = false;
    leftLatch = false;
    rightLatch = false;
    enterLatch = false;
}
