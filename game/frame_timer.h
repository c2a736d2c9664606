// The game's clock: milliseconds since start-up, from the performance counter
// where there is one and from the millisecond timer otherwise.
#pragma once

#include <cstdint>

struct FrameTimer {
    std::int64_t frequency = 0;
    float resolution = 0.0f;  // seconds per count
    std::uint32_t multimediaStart = 0;
    bool performanceCounterInUse = false;
    std::int64_t performanceStart = 0;
};

extern FrameTimer frameTimer;

// Once, at start-up, after the window exists.
void StartFrameTimer();
// Milliseconds since StartFrameTimer. Callers that keep a reading store it as
// a 32-bit float.
double ReadFrameTimer();
