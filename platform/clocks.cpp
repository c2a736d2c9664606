// The performance counter and the millisecond timer on the system's monotonic
// clock, which never jumps with changes of the wall-clock time.

#include "platform/platform.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t Nanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

}  // namespace

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (frequency == nullptr) {
        return FALSE;
    }
    frequency->QuadPart = 1'000'000'000;  // the counter counts nanoseconds
    return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (count == nullptr) {
        return FALSE;
    }
    count->QuadPart = Nanoseconds();
    return TRUE;
}

// Milliseconds since the system started, wrapping at 2^32 like the original:
// callers take differences, which stay right across a wrap.
DWORD timeGetTime() { return static_cast<DWORD>(Nanoseconds() / 1'000'000); }
