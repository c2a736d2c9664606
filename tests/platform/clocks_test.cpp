// The performance counter and the millisecond timer.

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(Clocks, ReadingsNeverDecrease) {
    LARGE_INTEGER frequency{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    ASSERT_GT(frequency.QuadPart, 0);
    LARGE_INTEGER previous{};
    ASSERT_TRUE(QueryPerformanceCounter(&previous));
    DWORD previousMs = timeGetTime();
    for (int i = 0; i < 200000; ++i) {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        ASSERT_GE(now.QuadPart, previous.QuadPart);
        previous = now;
        // Differences, as callers take them, so a wrap of the count is fine.
        const DWORD nowMs = timeGetTime();
        ASSERT_LT(static_cast<DWORD>(nowMs - previousMs), 1000u);
        previousMs = nowMs;
    }
}

TEST(Clocks, BothClocksMeasureTheSameTime) {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const DWORD startMs = timeGetTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    QueryPerformanceCounter(&end);
    const DWORD elapsedMs = timeGetTime() - startMs;
    const double counterMs =
        double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
    EXPECT_GE(counterMs, 119.0);
    EXPECT_LT(counterMs, 1000.0);
    EXPECT_GE(elapsedMs, 119u);
    EXPECT_NEAR(double(elapsedMs), counterMs, 2.0);
}

TEST(Clocks, NullRecordsAreRefused) {
    EXPECT_FALSE(QueryPerformanceFrequency(nullptr));
    EXPECT_FALSE(QueryPerformanceCounter(nullptr));
}

}  // namespace
