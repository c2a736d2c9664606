// Small playfields drawn as text for tests of the playing logic, and a way to
// read them back. Legend:
//   '#' Wall   '.' Empty   '*' Item   '?' the code 7   '~' the code -1
//   'A' player 1's head (a Snake1 cell)   'B' player 2's head (a Snake2 cell)
//   '1' any other Snake1 cell             '2' any other Snake2 cell
// Read back, every Snake1 cell shows '1' and every Snake2 cell '2'.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "base/gl_window.h"
#include "game/frame_timer.h"
#include "game/game_state.h"
#include "game/round_setup.h"
#include "game/snake_tick.h"
#include "tests/fake/fake_platform.h"

namespace board {

inline std::int32_t CodeOf(char c) {
    switch (c) {
        case '#': return Wall;
        case '*': return Item;
        case 'A':
        case '1': return Snake1;
        case 'B':
        case '2': return Snake2;
        case '?': return 7;
        case '~': return -1;
        default: return Empty;
    }
}

inline char CharOf(std::int32_t code) {
    switch (code) {
        case Empty: return '.';
        case Wall: return '#';
        case Item: return '*';
        case Snake1: return '1';
        case Snake2: return '2';
        case 7: return '?';
        case -1: return '~';
        default: return 'X';
    }
}

inline void StartSnake(PlayerState& player, Direction heading) {
    player.historyX[HistorySlot(historyIndex - 1)] = player.x;
    player.historyY[HistorySlot(historyIndex - 1)] = player.y;
    player.requestedDirection = player.currentDirection = heading;
    player.tailIndex = HistorySlot(historyIndex - 1);
    player.length = 1;
    player.lives = 3;
}

// Fresh program state and a round on the drawn board, at its top-left
// corner (the rest of the field empty), set up as a new round is: both
// snakes one cell long, player 1 heading Up and player 2 Down, the clock and
// the last tick at 0. `firstHistoryIndex` lets a test start the round at any
// place of the history ring.
inline void Start(std::initializer_list<std::string_view> rows,
                  bool twoPlayers,
                  int firstHistoryIndex = 1) {
    ResetGameState();
    ResetGlWindowState();
    fake::Reset();
    StartFrameTimer();
    SeedGameRandom(0);
    inMenu = false;
    twoPlayer = twoPlayers;
    int y = 0;
    for (std::string_view row : rows) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            playfield.at(x, y) = CodeOf(row[x]);
            if (row[x] == 'A') player1.x = x, player1.y = y;
            if (row[x] == 'B') player2.x = x, player2.y = y;
            if (row[x] == '*') ++itemCount;
        }
        ++y;
    }
    historyIndex = firstHistoryIndex;
    StartSnake(player1, Up);
    StartSnake(player2, Down);
    lastTickTime = static_cast<float>(ReadFrameTimer());
}

// The top-left `width` by `height` cells of the playfield as text.
inline std::vector<std::string> Rows(int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) row += CharOf(playfield.at(x, y));
        rows.push_back(row);
    }
    return rows;
}

inline int Count(std::int32_t code) {
    int n = 0;
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) n += playfield.at(x, y) == code;
    return n;
}

// Exactly these keys down.
inline void Hold(std::initializer_list<int> keys) {
    KeyState.fill(0);
    for (int vk : keys) KeyState[vk] = 1;
}

// A playing frame in which a tick is due.
inline void TickFrame() {
    fake::AdvanceClockMs(TickInterval(speedLevel) + 1.0);
    PlayingFrame();
}

// A playing frame with no tick: the clock stands where the last tick left it.
inline void IdleFrame() { PlayingFrame(); }

}  // namespace board
