#pragma once

#include <cstdint>

// The game's one pseudo-random generator: a 32-bit linear congruential state.
void SeedGameRandom(std::uint32_t seed);
// One draw, 0 to 32767.
int DrawGameRandom();

// Items go within columns and rows 1 to 58, never in the outer ring.
// The number of Empty cells there.
int CountEmptyInnerCells();
// A random cell there: x from one draw, then y from the next.
void DrawInnerCell(int& x, int& y);

// Prepares the playfield and both players for a round from the map of mapSlot.
void RoundSetup();
