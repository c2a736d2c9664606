#include <cstdint>

#include "game/round_setup.h"

namespace {

std::uint32_t gameRandomState = 0;

}  // namespace

void SeedGameRandom(std::uint32_t seed) { gameRandomState = seed; }

int DrawGameRandom() {
    // Unsigned arithmetic wraps modulo 2^32 by definition.
    gameRandomState = gameRandomState * 214013u + 2531011u;
    return static_cast<int>((gameRandomState >> 16) & 0x7FFFu);
}
