#include "game/snake_tick.h"

#include <array>

#include "base/gl_window.h"
#include "base/sound.h"
#include "game/frame_timer.h"
#include "game/game_sounds.h"
#include "game/round_setup.h"

namespace {

constexpr int kKeyP = 'P';

// Steering keys of one player in the order Up, Right, Down, Left.
constexpr std::array<int, 4> kPlayer1Keys{VK_UP, VK_RIGHT, VK_DOWN, VK_LEFT};
constexpr std::array<int, 4> kPlayer2Keys{'W', 'D', 'S', 'A'};
constexpr std::array<Direction, 4> kKeyDirections{Up, Right, Down, Left};

// Draws before a two-player item search gives up for this frame. With one
// free cell among the 58 by 58 inner ones a hit is expected after about 3400.
constexpr int kItemDrawLimit = 100000;

bool InField(int x, int y) { return x >= 0 && x < kMapSize && y >= 0 && y < kMapSize; }

void SetCell(int x, int y, std::int32_t code) {
    if (InField(x, y)) playfield.at(x, y) = code;
}

bool Opposite(std::int32_t a, std::int32_t b) {
    return (a == Up && b == Down) || (a == Down && b == Up) || (a == Left && b == Right) ||
           (a == Right && b == Left);
}

void Steer(PlayerState& player, const std::array<int, 4>& keys) {
    for (int i = 0; i < 4; ++i) {
        if (IsKeyDown(keys[i]) && !Opposite(player.currentDirection, kKeyDirections[i])) {
            player.requestedDirection = kKeyDirections[i];
        }
    }
}

void Move(PlayerState& player) {
    player.currentDirection = player.requestedDirection;
    switch (player.currentDirection) {
        case Up: --player.y; break;
        case Right: ++player.x; break;
        case Down: ++player.y; break;
        case Left: --player.x; break;
        default: break;
    }
}

bool Deadly(std::int32_t code) { return code == Wall || code == Snake1 || code == Snake2; }

void LoseLife(PlayerState& player, RoundOutcome why) {
    outcome = why;
    --player.lives;
    roundOver = true;
}

void Eat(PlayerState& player, std::int32_t bodyCode) {
    SetCell(player.x, player.y, bodyCode);
    ++player.points;
    --itemCount;
}

void RecordHead(PlayerState& player) {
    ++player.length;
    const int slot = HistorySlot(historyIndex);
    player.historyX[slot] = player.x;
    player.historyY[slot] = player.y;
}

void EnterPlayer1Cell() {
    const std::int32_t code = CellAt(player1.x, player1.y);
    if (code == Empty) {
        SetCell(player1.x, player1.y, Snake1);
    } else if (code == Item) {
        Eat(player1, Snake1);
    } else if (Deadly(code)) {
        LoseLife(player1, Player1Died);
    }
    RecordHead(player1);
}

// Player 2 looks after player 1's head has been written, so a meeting of the
// heads is found here alone, before the item.
void EnterPlayer2Cell() {
    const std::int32_t code = CellAt(player2.x, player2.y);
    if (code == Empty) {
        SetCell(player2.x, player2.y, Snake2);
    } else if (player2.x == player1.x && player2.y == player1.y) {
        outcome = BothDied;
        --player1.lives;
        --player2.lives;
        roundOver = true;
    } else if (code == Item) {
        Eat(player2, Snake2);
    } else if (Deadly(code)) {
        LoseLife(player2, Player2Died);
    }
    RecordHead(player2);
}

void TrimToLength(PlayerState& player) {
    if (player.length > 2 * player.points + 2) TrimTail(player);
}

void LookAfterItems() {
    if (itemCount != 0) return;
    if (!twoPlayer) {
        PlayWav(kWinSound, WavMode::Blocking);
        roundOver = true;
        outcome = LevelComplete;
    } else {
        PlaceTwoPlayerItem();
    }
}

}  // namespace

float TickInterval(int speed) {
    switch (speed) {
        case 1: return 200.0f;
        case 3: return 50.0f;
        default: return 100.0f;
    }
}

std::int32_t CellAt(int x, int y) { return InField(x, y) ? playfield.at(x, y) : Wall; }

int HistorySlot(std::int32_t index) {
    const int slot = index % kHistorySize;
    return slot < 0 ? slot + kHistorySize : slot;
}

bool PlaceTwoPlayerItem() {
    if (CountEmptyInnerCells() == 0) return false;
    for (int draw = 0; draw < kItemDrawLimit; ++draw) {
        int x = 0;
        int y = 0;
        DrawInnerCell(x, y);
        if (playfield.at(x, y) == Empty) {
            playfield.at(x, y) = Item;
            itemCount = 1;
            return true;
        }
    }
    return false;
}

void PlayingFrame() {
    if (IsKeyDown(VK_ESCAPE)) {
        inMenu = true;
        PlayWav(kBuzzerSound, WavMode::Blocking);
    }
    if (IsKeyDown(kKeyP) && !pauseLatch) {
        paused = true;
        PlayWav(kMenuSound, WavMode::Blocking);
        pauseLatch = true;
    }
    Steer(player1, kPlayer1Keys);
    Steer(player2, kPlayer2Keys);
    if (ReadFrameTimer() >= static_cast<double>(lastTickTime) + TickInterval(speedLevel))
        GameTick();
    TrimToLength(player1);
    if (twoPlayer) TrimToLength(player2);
    LookAfterItems();
}

void GameTick() {
    Move(player1);
    if (twoPlayer) Move(player2);
    EnterPlayer1Cell();
    if (twoPlayer) EnterPlayer2Cell();
    lastTickTime = static_cast<float>(ReadFrameTimer());
    historyIndex = HistorySlot(historyIndex + 1);
}

void TrimTail(PlayerState& player) {
    const int slot = HistorySlot(player.tailIndex);
    SetCell(player.historyX[slot], player.historyY[slot], Empty);
    player.tailIndex = HistorySlot(player.tailIndex + 1);
    --player.length;
}
