// Windows: creation hidden, showing, raising, keyboard focus and destruction.
// SDL sizes the client area, so the outer rectangle of a window is its client
// rectangle and a window's size is always its client size. The messages
// Windows sends while a window is shown or destroyed go straight to the window
// procedure.
#include "platform/sdl_video.h"

namespace {

bool destroying = false;

void ClientSize(const PlatformWindow& window, int* width, int* height) {
    SDL_GetWindowSizeInPixels(window.sdl, width, height);
}

WPARAM ActivationParam(WORD state, bool minimized) {
    return static_cast<WPARAM>(sdlvideo::MakeLong(state, minimized ? 1 : 0));
}

SDL_Window* CreateSurface(const char* title, DWORD style, int x, int y, int width, int height) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (style & WS_POPUP) {
        flags |= SDL_WINDOW_BORDERLESS;
    }
    if (style & WS_THICKFRAME) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    width = width < 1 ? 1 : width;
    height = height < 1 ? 1 : height;
    sdlvideo::SetSurfaceAttributes();
    SDL_Window* surface = SDL_CreateWindow(title, x, y, width, height, flags | SDL_WINDOW_OPENGL);
    if (surface == nullptr) {
        // A window without GL still opens; the pixel-format choice then fails.
        surface = SDL_CreateWindow(title, x, y, width, height, flags);
    }
    return surface;
}

}  // namespace

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
    (void)style;
    (void)menu;
    (void)exStyle;
    // The frame belongs to the desktop's window manager: outer = client.
    return rect != nullptr ? TRUE : FALSE;
}

HWND CreateWindowExA(DWORD exStyle,
                     const char* className,
                     const char* windowName,
                     DWORD style,
                     int x,
                     int y,
                     int width,
                     int height,
                     HWND parent,
                     HMENU menu,
                     HINSTANCE instance,
                     void* param) {
    (void)instance;
    (void)param;
    WNDPROC procedure = sdlvideo::ClassProcedure(className);
    // Only top-level windows without menus exist here.
    if (procedure == nullptr || parent != nullptr || menu != nullptr || !sdlvideo::EnsureVideo()) {
        return nullptr;
    }
    const char* title = windowName != nullptr ? windowName : "";
    auto* record = new PlatformWindow;
    record->procedure = procedure;
    record->className = className;
    record->style = style;
    record->exStyle = exStyle;
    HWND window = sdlvideo::AddWindow(record);

    if ((style & WS_POPUP) && sdlvideo::PendingScreenSurface() != nullptr) {
        // The pop-up window of a changed display mode is that mode's screen.
        record->sdl = sdlvideo::TakeScreenSurface(window);
        record->screenMode = true;
        SDL_SetWindowTitle(record->sdl, title);
    } else {
        record->sdl = CreateSurface(title, style, x, y, width, height);
    }
    if (record->sdl == nullptr) {
        sdlvideo::RemoveWindow(window);
        return nullptr;
    }
    record->hasGl = (SDL_GetWindowFlags(record->sdl) & SDL_WINDOW_OPENGL) != 0;
    return window;
}

BOOL DestroyWindow(HWND window) {
    PlatformWindow* record = sdlvideo::FindWindow(window);
    if (record == nullptr || destroying) {
        return FALSE;
    }
    destroying = true;
    if (sdlvideo::FocusWindow() == window) {
        sdlvideo::SendToWindow(window, WM_ACTIVATE, ActivationParam(WA_INACTIVE, false), 0);
        sdlvideo::SetFocusWindow(nullptr);
    }
    sdlvideo::SendToWindow(window, WM_DESTROY, 0, 0);
    // A context current on the window loses its surface with it.
    if (sdlvideo::CurrentDeviceContext() == &record->dc) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        sdlvideo::SetCurrent(nullptr, nullptr);
    }
    sdlvideo::ScreenOwnerDestroyed(window);
    SDL_DestroyWindow(record->sdl);
    sdlvideo::RemoveWindow(window);
    destroying = false;
    return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
    PlatformWindow* record = sdlvideo::FindWindow(window);
    if (record == nullptr) {
        return FALSE;
    }
    const bool wasVisible = record->visible;
    if (command == SW_HIDE) {
        if (wasVisible) {
            SDL_HideWindow(record->sdl);
            record->visible = false;
            if (sdlvideo::FocusWindow() == window) {
                sdlvideo::SetFocusWindow(nullptr);
                sdlvideo::SendToWindow(window, WM_ACTIVATE, ActivationParam(WA_INACTIVE, false), 0);
            }
        }
        return wasVisible ? TRUE : FALSE;
    }
    if (!wasVisible) {
        SDL_ShowWindow(record->sdl);
        record->visible = true;
        record->minimized = false;
        // Showing activates the window and reports its client size.
        sdlvideo::SetFocusWindow(window);
        sdlvideo::SendToWindow(window, WM_ACTIVATE, ActivationParam(WA_ACTIVE, false), 0);
        int width = 0;
        int height = 0;
        ClientSize(*record, &width, &height);
        sdlvideo::SendToWindow(window, WM_SIZE, SIZE_RESTORED, sdlvideo::MakeLong(width, height));
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL SetForegroundWindow(HWND window) {
    PlatformWindow* record = sdlvideo::FindWindow(window);
    if (record == nullptr) {
        return FALSE;
    }
    SDL_RaiseWindow(record->sdl);
    return TRUE;
}

HWND SetFocus(HWND window) {
    HWND previous = sdlvideo::FocusWindow();
    if (window == nullptr) {
        sdlvideo::SetFocusWindow(nullptr);
        return previous;
    }
    PlatformWindow* record = sdlvideo::FindWindow(window);
    if (record == nullptr) {
        return nullptr;
    }
    // Without a window manager nobody else hands out the keyboard focus.
    SDL_SetWindowInputFocus(record->sdl);
    sdlvideo::SetFocusWindow(window);
    return previous;
}

HWND GetFocus() { return sdlvideo::FocusWindow(); }
