#include <gtest/gtest.h>

#include "game/frame_timer.h"
#include "tests/fake/fake_platform.h"
#include "tests/game/game_session.h"

namespace {

struct TimerCase {
    const char* what;
    LONGLONG frequency;  // 0: no performance counter
    DWORD timeGetTimeBase;
    double startMs, nowMs;
    double expected;
};

TEST(FrameTimer, ReadsMillisecondsSinceItsStart) {
    const std::vector<TimerCase> cases{
        {"performance counter at 1 MHz", 1'000'000, 0, 250.0, 1484.5, 1234.5},
        {"performance counter at an odd frequency", 3'579'545, 0, 0.0, 60'000.25, 60'000.25},
        {"the first reading is a fraction of a millisecond", 1'000'000, 0, 7.0, 7.4, 0.4},
        {"millisecond timer: whole milliseconds", 0, 5000, 10.0, 22.7, 12.0},
        {"millisecond timer across its wrap", 0, 0xFFFFFF00u, 0.0, 1000.0, 1000.0},
    };
    for (const TimerCase& c : cases) {
        SCOPED_TRACE(c.what);
        fake::Reset();
        if (c.frequency > 0) {
            fake::SetPerformanceFrequency(c.frequency);
        } else {
            fake::FailNext(fake::Op::QueryPerformanceFrequency, -1);
            fake::SetTimeGetTimeBase(c.timeGetTimeBase);
        }
        fake::SetClockMs(c.startMs);
        StartFrameTimer();
        EXPECT_EQ(frameTimer.performanceCounterInUse, c.frequency > 0);
        fake::SetClockMs(c.nowMs);
        // The resolution is kept as a 32-bit float: a few parts in 10^8 off.
        EXPECT_NEAR(ReadFrameTimer(), c.expected, c.expected * 1e-7 + 1e-6);
    }
}

TEST(FrameTimer, NeverGoesBackwards) {
    fake::Reset();
    fake::SetPerformanceFrequency(3'579'545);
    StartFrameTimer();
    double last = ReadFrameTimer();
    for (double ms = 0; ms < 5000; ms += 0.37) {
        fake::SetClockMs(ms);
        const double now = ReadFrameTimer();
        ASSERT_GE(now, last);
        last = now;
    }
}

// Readings are stored as 32-bit floats: after 2^24 ms (about 4.7 hours) they
// are exact to 2 ms only, so the loading picture may end a little early.
TEST(FrameTimer, StoredReadingsAreCoarseInAVeryLongRun) {
    using namespace session;
    Fresh();
    WriteMap(1, WalledMap({"1"}));
    fake::PushClockMs(16'777'217.0);
    Tap(VK_RETURN);
    bool stored = false, early = false, done = false;
    Do([&] { stored = loadingStartTime == 16'777'216.0f; });
    fake::PushClockMs(16'779'215.9);
    Frames(1);
    Do([&] { early = !isLoading; });
    fake::PushClockMs(16'779'216.5);  // 1999.5 ms after Enter
    Frames(1);
    Do([&] { done = !isLoading; });
    EXPECT_EQ(RunGame(), 0);
    EXPECT_TRUE(stored);
    EXPECT_FALSE(early);
    EXPECT_TRUE(done);
}

}  // namespace
