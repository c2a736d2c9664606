// The window procedure: the only writer of KeyState and windowActive.
#include <cstddef>

#include "base/gl_window.h"
#include "platform/platform.h"

std::array<unsigned char, 256> KeyState{};
bool windowActive = true;

namespace {

WORD LowWord(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
WORD HighWord(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }

// Key codes beyond the table come from no real keyboard; they are dropped
// rather than written past its end.
void SetKey(WPARAM code, unsigned char down) {
    if (code < KeyState.size()) KeyState[static_cast<std::size_t>(code)] = down;
}

}  // namespace

LRESULT GlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            // Only minimizing stops the frames; losing the focus does not.
            windowActive = HighWord(wParam) == 0;
            return 0;
        case WM_SYSCOMMAND:
            if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
            break;
        case WM_CLOSE: PostQuitMessage(0); return 0;
        case WM_KEYDOWN: SetKey(wParam, 1); return 0;
        case WM_KEYUP: SetKey(wParam, 0); return 0;
        case WM_SIZE: {
            const auto size = static_cast<std::uintptr_t>(lParam);
            ResizeView(LowWord(size), HighWord(size));
            return 0;
        }
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
