// What the SDL window files of the platform layer share: the records behind
// the window, device-context and GL-context handles, the registered classes,
// the message queue, and the lazily started SDL video subsystem.
//
// Internal to platform/: nothing above the platform layer includes this.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/platform.h"

// The drawing surface of one window. Every window has exactly one (all our
// classes behave as own-device-context classes), so GetDC hands out the same
// record each time and ReleaseDC keeps it.
struct PlatformDeviceContext {
    PlatformWindow* window = nullptr;
    int pixelFormat = 0;             // 0 until SetPixelFormat
    HGDIOBJ selectedFont = nullptr;  // what SelectObject last made its font
};

struct PlatformWindow {
    SDL_Window* sdl = nullptr;
    WNDPROC procedure = nullptr;  // the class's window procedure
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool hasGl = false;       // created with an OpenGL-capable surface
    bool visible = false;     // shown by ShowWindow
    bool minimized = false;   // as last reported by the desktop
    bool screenMode = false;  // the fullscreen surface of a changed display mode
    PlatformDeviceContext dc;
};

struct PlatformGlContext {
    SDL_GLContext sdl = nullptr;
};

namespace sdlvideo {

// Starts SDL's video subsystem on first use. False when there is no display
// to show a window on: the offscreen and dummy drivers are refused, since a
// program on them would run unseen.
bool EnsureVideo();

// The live record behind a handle, or null for null, stale or foreign handles.
PlatformWindow* FindWindow(HWND window);
PlatformWindow* FindWindow(SDL_Window* sdl);
PlatformDeviceContext* FindDeviceContext(HDC dc);
// Some live window, or null when there is none.
HWND AnyWindow();
PlatformGlContext* FindGlContext(HGLRC context);

// The GL context current on this thread (null when none) and the device
// context it was made current on. Font building needs both.
HGLRC CurrentGlContext();
HDC CurrentDeviceContext();

// The window that has the keyboard focus (null when none of ours has).
HWND FocusWindow();
void SetFocusWindow(HWND window);

// The class procedure of a registered class (case-insensitive name), or null.
WNDPROC ClassProcedure(const char* className);

// Whether windows of that class (case-insensitive name) are still open.
bool ClassHasWindows(const char* className);

// Calls the window procedure directly, as Windows does for sent messages.
LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Bookkeeping of the window files, called by them only.
HWND AddWindow(PlatformWindow* record);  // takes ownership
void RemoveWindow(HWND window);          // frees the record
HGLRC AddGlContext(PlatformGlContext* record);
void RemoveGlContext(HGLRC context);
void SetCurrent(HDC dc, HGLRC context);
// Forgets queued messages of a window that is going away.
void DropMessagesFor(HWND window);

// The fullscreen surface left by a successful display-mode change, not yet
// taken over by a pop-up window (null when none), its hand-over to a window,
// and the end of that window.
SDL_Window* PendingScreenSurface();
SDL_Window* TakeScreenSurface(HWND owner);
void ScreenOwnerDestroyed(HWND owner);
// Whether a display-mode change is in force.
bool DisplayModeChanged();

// Sets the framebuffer attributes every window surface is made with: double
// buffered RGBA, at least 16 colour bits and a 16-bit depth buffer.
void SetSurfaceAttributes();

// Turns SIGINT and SIGTERM into close requests that the message pump
// delivers (installed once, when the video subsystem starts).
void InstallCloseSignals();
// Keeps events that no program handles out of SDL's queue.
void IgnoreUnusedEvents();

// Packs two 16-bit halves the way Windows packs message parameters.
constexpr LPARAM MakeLong(unsigned low, unsigned high) {
    return static_cast<LPARAM>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}

}  // namespace sdlvideo
