#include "game/frame_timer.h"

#include "platform/platform.h"

FrameTimer frameTimer;

void StartFrameTimer() {
    frameTimer = FrameTimer{};
    LARGE_INTEGER frequency{};
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
        frameTimer.frequency = frequency.QuadPart;
        LARGE_INTEGER start{};
        QueryPerformanceCounter(&start);
        frameTimer.performanceStart = start.QuadPart;
        frameTimer.performanceCounterInUse = true;
        frameTimer.resolution = static_cast<float>(1.0 / static_cast<double>(frequency.QuadPart));
    } else {
        frameTimer.performanceCounterInUse = false;
        frameTimer.multimediaStart = timeGetTime();
        frameTimer.resolution = 0.001f;
    }
}

double ReadFrameTimer() {
    double elapsed = 0.0;
    if (frameTimer.performanceCounterInUse) {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        elapsed = static_cast<double>(now.QuadPart - frameTimer.performanceStart);
    } else {
        // Unsigned subtraction keeps the count right across one wrap of the
        // 32-bit millisecond timer.
        const std::uint32_t ms = timeGetTime() - frameTimer.multimediaStart;
        elapsed = static_cast<double>(ms);
    }
    return elapsed * static_cast<double>(frameTimer.resolution) * 1000.0;
}
