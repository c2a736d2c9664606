#include "base/message_loop.h"

#include "base/gl_window.h"

bool RunMessageLoop(bool& quit, bool (*runFrame)(), MSG& lastMessage) {
    while (!quit) {
        MSG message{};
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            lastMessage = message;
            if (message.message == WM_QUIT) {
                quit = true;
            } else {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            continue;
        }
        if (!runFrame()) return false;
    }
    return true;
}

void ShowFrame(bool (*drawScene)(), bool& quit) {
    if (windowActive && !drawScene()) {
        quit = true;
        return;
    }
    SwapBuffers(glWindow.deviceContext);
}
