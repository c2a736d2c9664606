// The playing state: keys, the timed tick that moves both snakes, their tails
// and the items.
#pragma once

#include <cstdint>

#include "game/game_state.h"

// The logic of one playing frame.
void PlayingFrame();
// One step of both snakes.
void GameTick();
// Gives up the snake's tail cell.
void TrimTail(PlayerState& player);

// Milliseconds between ticks at the speed level.
float TickInterval(int speed);

// The cell's code; every cell outside the field counts as Wall, so a map
// without a wall ring kills a snake at its edge instead of letting it leave.
std::int32_t CellAt(int x, int y);

// The history slot of an ever-growing tick count: the history is a ring, so a
// round may last as long as the players like.
int HistorySlot(std::int32_t index);

// Puts the single item of a two-player round on a random empty cell within
// columns and rows 1 to 58. Returns false, placing nothing, when none is found.
bool PlaceTwoPlayerItem();
