#include "game/round_setup.h"

#include <cstdint>

#include "game/game_state.h"
#include "mapfile/map_file.h"

namespace {

constexpr int kItemTarget = 50;

// The map of the chosen slot over the playfield, which is not cleared first:
// cells the file does not supply keep the previous round's content.
void ReadRoundMap() {
    if (IsPlayableMapSlot(mapSlot)) {
        ReadMapFile(MapSlotPath(mapSlot), playfield);
    }
}

// Counts the items and takes the start cells; the last start cell in scan
// order wins. Items are the two-player tick's business, and a one-player
// round has no place for player 2's start cell.
void ScanPlayfield() {
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            std::int32_t& cell = playfield.at(x, y);
            if (twoPlayer && cell == Item) {
                cell = Empty;
            }
            if (cell == Item) {
                ++itemCount;
            }
            if (cell == Snake1) {
                player1.x = x;
                player1.y = y;
            }
            if (cell == Snake2) {
                player2.x = x;
                player2.y = y;
            }
            if (!twoPlayer && cell == Snake2) {
                cell = Empty;
            }
        }
    }
}

// Random items, never in the outer ring, until the one-player round holds
// 50 minus the points already earned. A field with too few free cells
// gets as many as fit instead of drawing for ever.
void TopUpItems() {
    const std::int64_t target = kItemTarget - static_cast<std::int64_t>(player1.points);
    int emptyInner = CountEmptyInnerCells();
    while (itemCount < target && emptyInner > 0) {
        int x = 0;
        int y = 0;
        DrawInnerCell(x, y);
        if (playfield.at(x, y) == Empty) {
            playfield.at(x, y) = Item;
            ++itemCount;
            --emptyInner;
        }
    }
}

void ResetPlayer(PlayerState& player, Direction heading) {
    player.historyX[0] = player.x;
    player.historyY[0] = player.y;
    player.requestedDirection = heading;
    player.currentDirection = heading;
    player.tailIndex = 0;
    player.length = 1;
}

}  // namespace

int CountEmptyInnerCells() {
    int count = 0;
    for (int y = 1; y < kMapSize - 1; ++y) {
        for (int x = 1; x < kMapSize - 1; ++x) {
            if (playfield.at(x, y) == Empty) {
                ++count;
            }
        }
    }
    return count;
}

void DrawInnerCell(int& x, int& y) {
    x = DrawGameRandom() % (kMapSize - 2) + 1;
    y = DrawGameRandom() % (kMapSize - 2) + 1;
}

void RoundSetup() {
    itemCount = 0;
    ReadRoundMap();
    ScanPlayfield();
    if (!twoPlayer) {
        TopUpItems();
    }
    ResetPlayer(player1, Up);
    ResetPlayer(player2, Down);
    historyIndex = 1;
}
