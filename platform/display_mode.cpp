// Display-mode changes. SDL changes the mode only for a fullscreen window, so
// a change opens a fullscreen surface of exactly the asked size at once and
// checks that the screen really shows that size; the next pop-up window takes
// the surface over. Returning to the desktop mode takes the surface out of
// fullscreen (or closes it when no window took it).
#include "platform/sdl_video.h"

namespace {

SDL_Window* screenSurface = nullptr;  // not yet taken by a window
HWND screenOwner = nullptr;           // the pop-up window that took it

// An exact mode of the given size on the first display, preferring the given
// colour depth. SDL's own closest-mode lookup would hand out a larger mode.
bool FindExactMode(int width, int height, int bits, SDL_DisplayMode* found) {
    bool any = false;
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w != width || mode.h != height) {
            continue;
        }
        if (!any || (bits > 0 && static_cast<int>(SDL_BITSPERPIXEL(mode.format)) == bits)) {
            *found = mode;
            any = true;
        }
    }
    return any;
}

SDL_Window* OpenScreenSurface(const SDL_DisplayMode& mode) {
    const Uint32 flags = SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    sdlvideo::SetSurfaceAttributes();
    SDL_Window* surface = SDL_CreateWindow("",
                                           SDL_WINDOWPOS_UNDEFINED_DISPLAY(0),
                                           SDL_WINDOWPOS_UNDEFINED_DISPLAY(0),
                                           mode.w,
                                           mode.h,
                                           flags | SDL_WINDOW_OPENGL);
    if (surface == nullptr) {
        // Without a GL surface the pixel-format choice reports the problem.
        surface = SDL_CreateWindow("",
                                   SDL_WINDOWPOS_UNDEFINED_DISPLAY(0),
                                   SDL_WINDOWPOS_UNDEFINED_DISPLAY(0),
                                   mode.w,
                                   mode.h,
                                   flags);
    }
    return surface;
}

// SDL reports success for changes that did not happen (a bare X server keeps
// its one mode), so look at what the window and the display really got.
bool ScreenShows(SDL_Window* surface, int width, int height) {
    SDL_PumpEvents();
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(surface, &w, &h);
    SDL_DisplayMode current;
    int display = SDL_GetWindowDisplayIndex(surface);
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &current) != 0) {
        return false;
    }
    return w == width && h == height && current.w == width && current.h == height;
}

void ReturnToDesktopMode() {
    if (screenSurface != nullptr) {
        SDL_DestroyWindow(screenSurface);
        screenSurface = nullptr;
    }
    if (PlatformWindow* owner = sdlvideo::FindWindow(screenOwner)) {
        SDL_SetWindowFullscreen(owner->sdl, 0);
        owner->screenMode = false;
    }
    screenOwner = nullptr;
}

}  // namespace

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    (void)flags;
    if (mode == nullptr) {
        ReturnToDesktopMode();
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (!sdlvideo::EnsureVideo()) {
        return DISP_CHANGE_FAILED;
    }
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
        return DISP_CHANGE_FAILED;
    }
    // Fields not marked as set keep the desktop's values.
    int width = (mode->dmFields & DM_PELSWIDTH) ? static_cast<int>(mode->dmPelsWidth) : desktop.w;
    int height =
        (mode->dmFields & DM_PELSHEIGHT) ? static_cast<int>(mode->dmPelsHeight) : desktop.h;
    int bits = (mode->dmFields & DM_BITSPERPEL) ? static_cast<int>(mode->dmBitsPerPel) : 0;

    SDL_DisplayMode wanted;
    if (!FindExactMode(width, height, bits, &wanted)) {
        return DISP_CHANGE_BADMODE;
    }
    ReturnToDesktopMode();
    SDL_Window* surface = OpenScreenSurface(wanted);
    if (surface == nullptr) {
        return DISP_CHANGE_FAILED;
    }
    if (SDL_SetWindowDisplayMode(surface, &wanted) != 0) {
        SDL_DestroyWindow(surface);
        return DISP_CHANGE_FAILED;
    }
    SDL_ShowWindow(surface);
    if (!ScreenShows(surface, width, height)) {
        SDL_DestroyWindow(surface);
        return DISP_CHANGE_FAILED;
    }
    screenSurface = surface;
    return DISP_CHANGE_SUCCESSFUL;
}

namespace sdlvideo {

SDL_Window* PendingScreenSurface() { return screenSurface; }

SDL_Window* TakeScreenSurface(HWND owner) {
    SDL_Window* surface = screenSurface;
    screenSurface = nullptr;
    screenOwner = owner;
    return surface;
}

void ScreenOwnerDestroyed(HWND owner) {
    // Closing a fullscreen window returns SDL to the desktop mode by itself.
    if (screenOwner == owner) {
        screenOwner = nullptr;
    }
}

bool DisplayModeChanged() { return screenSurface != nullptr || screenOwner != nullptr; }

}  // namespace sdlvideo
