// The program's one window with its GL context, the key table and the
// window procedure that keeps it.
#pragma once

#include <array>
#include <cstddef>

#include "platform/platform.h"

struct GlWindow {
    HINSTANCE module = nullptr;
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC glContext = nullptr;
    bool fullscreen = false;
};

extern GlWindow glWindow;

// The pixel format asked of every window; filled in by the first OpenGlWindow.
extern PIXELFORMATDESCRIPTOR PixelFormatRequest;

// 1 while the key with that virtual-key code is down. Written by GlWindowProc;
// the frame logic clears single entries to consume a press.
extern std::array<unsigned char, 256> KeyState;

// Whether the key with that virtual-key code is down.
inline bool IsKeyDown(int vk) { return KeyState[static_cast<std::size_t>(vk)] != 0; }

// False while the window is minimized.
extern bool windowActive;

bool OpenGlWindow(const char* title, int width, int height, int bits, bool fullscreen);
void CloseGlWindow();
// Closes the window and opens it again in the other mode, with the title of
// the last OpenGlWindow call.
bool ToggleFullscreen();
void ResizeView(int width, int height);
LRESULT GlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Puts the window state, KeyState and windowActive back to their start values
// (used between whole-program runs in one test process).
void ResetGlWindowState();
