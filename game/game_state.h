// The game's program-wide state: the playfield, both players, the round
// variables, the screen-state flags and the menu's choices.
#pragma once

#include <array>
#include <cstdint>

#include "mapfile/map_file.h"

enum Direction : std::int32_t { Up = 1, Right = 2, Down = 3, Left = 4 };

enum RoundOutcome : std::int32_t {
    None = 0,
    Player1Died = 1,
    Player2Died = 2,
    BothDied = 3,
    LevelComplete = 4,
};

constexpr int kHistorySize = 20000;

struct PlayerState {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t requestedDirection = 0;
    std::int32_t currentDirection = 0;
    std::int32_t lives = 0;
    std::int32_t points = 0;
    std::int32_t length = 0;
    std::array<std::int32_t, kHistorySize> historyX{};
    std::array<std::int32_t, kHistorySize> historyY{};
    std::int32_t tailIndex = 0;
};

// Playfield and players
extern MapGrid playfield;
extern PlayerState player1;
extern PlayerState player2;

// Round variables
extern std::int32_t historyIndex;
extern std::int32_t itemCount;
extern RoundOutcome outcome;
extern float lastTickTime;
extern bool pauseLatch;

// Screen-state flags
extern bool inMenu;
extern bool isLoading;
extern bool roundOver;
extern bool paused;
extern bool twoPlayer;
extern float loadingStartTime;
extern bool quitRequested;

// Menu choices (mapSlot is declared with the map files)
extern int menuSelection;
extern int speedLevel;

// The menu's key latches: a key acts once per press however long it is held.
extern bool upLatch;
extern bool downLatch;
extern bool leftLatch;
extern bool rightLatch;
extern bool enterLatch;

// Puts every variable above back to its start value (used between
// whole-program runs in one test process).
void ResetGameState();
