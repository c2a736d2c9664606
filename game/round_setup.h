#pragma once

#include <cstdint>

// The game's one pseudo-random generator: a 32-bit linear congruential state.
void SeedGameRandom(std::uint32_t seed);
// One draw, 0 to 32767.
int DrawGameRandom();

// Prepares the playfield and both players for a round from the map of mapSlot.
void RoundSetup();
