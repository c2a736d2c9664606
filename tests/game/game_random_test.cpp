#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/round_setup.h"

namespace {

TEST(GameRandomTest, KnownSequences) {
    struct Case {
        std::uint32_t seed;
        std::vector<int> draws;
    };
    // Worked out by hand from s = s * 214013 + 2531011 and (s >> 16) & 0x7FFF.
    const std::vector<Case> cases = {
        {0, {38, 7719, 21238, 2437, 8855, 11797}},
        {1, {41, 18467, 6334, 26500}},
        // The state wraps modulo 2^32.
        {0xFFFFFFFFu, {35, 29739}},
    };
    for (const Case& c : cases) {
        SeedGameRandom(c.seed);
        for (std::size_t i = 0; i < c.draws.size(); ++i) {
            EXPECT_EQ(DrawGameRandom(), c.draws[i]) << "seed " << c.seed << ", draw " << i;
        }
    }
}

TEST(GameRandomTest, SeedingRestartsTheSequence) {
    SeedGameRandom(12345);
    const int first = DrawGameRandom();
    const int second = DrawGameRandom();
    SeedGameRandom(12345);
    EXPECT_EQ(DrawGameRandom(), first);
    EXPECT_EQ(DrawGameRandom(), second);
}

}  // namespace
