// The SDL video subsystem and the tables of live windows and GL contexts that
// the window files share.
#include "platform/sdl_video.h"

#include <strings.h>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace sdlvideo {
namespace {

bool videoStarted = false;
std::vector<std::unique_ptr<PlatformWindow>> windows;
std::vector<std::unique_ptr<PlatformGlContext>> glContexts;
HDC currentDc = nullptr;
HGLRC currentContext = nullptr;
HWND focusWindow = nullptr;

// Drivers that draw nowhere a user could see.
bool IsInvisibleDriver(const char* name) {
    return name == nullptr || std::strcmp(name, "offscreen") == 0 ||
           std::strcmp(name, "dummy") == 0 || std::strcmp(name, "evdev") == 0;
}

}  // namespace

bool EnsureVideo() {
    if (videoStarted) {
        return true;
    }
    // Closing signals are ours to turn into close requests (message_pump.cpp).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A fullscreen window that loses the focus stays on screen, as a pop-up
    // window in a changed display mode does on Windows; SDL would minimise
    // it, and a message box the program shows would then leave it minimised.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    if (IsInvisibleDriver(SDL_GetCurrentVideoDriver()) || SDL_GetNumVideoDisplays() < 1) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    videoStarted = true;
    SDL_StopTextInput();
    IgnoreUnusedEvents();
    InstallCloseSignals();
    return true;
}

PlatformWindow* FindWindow(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    auto it = std::find_if(
        windows.begin(), windows.end(), [window](const auto& w) { return w.get() == window; });
    return it == windows.end() ? nullptr : it->get();
}

PlatformWindow* FindWindow(SDL_Window* sdl) {
    if (sdl == nullptr) {
        return nullptr;
    }
    auto it = std::find_if(
        windows.begin(), windows.end(), [sdl](const auto& w) { return w->sdl == sdl; });
    return it == windows.end() ? nullptr : it->get();
}

HWND AnyWindow() { return windows.empty() ? nullptr : windows.front().get(); }

PlatformDeviceContext* FindDeviceContext(HDC dc) {
    if (dc == nullptr) {
        return nullptr;
    }
    auto it =
        std::find_if(windows.begin(), windows.end(), [dc](const auto& w) { return &w->dc == dc; });
    return it == windows.end() ? nullptr : &(*it)->dc;
}

PlatformGlContext* FindGlContext(HGLRC context) {
    if (context == nullptr) {
        return nullptr;
    }
    auto it = std::find_if(glContexts.begin(), glContexts.end(), [context](const auto& c) {
        return c.get() == context;
    });
    return it == glContexts.end() ? nullptr : it->get();
}

bool ClassHasWindows(const char* className) {
    return std::any_of(windows.begin(), windows.end(), [className](const auto& w) {
        return strcasecmp(w->className.c_str(), className) == 0;
    });
}

HGLRC CurrentGlContext() { return currentContext; }
HDC CurrentDeviceContext() { return currentDc; }

HWND FocusWindow() { return focusWindow; }
void SetFocusWindow(HWND window) { focusWindow = window; }

LRESULT SendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PlatformWindow* record = FindWindow(window);
    if (record == nullptr || record->procedure == nullptr) {
        return 0;
    }
    return record->procedure(window, message, wParam, lParam);
}

HWND AddWindow(PlatformWindow* record) {
    record->dc.window = record;
    windows.emplace_back(record);
    return record;
}

void RemoveWindow(HWND window) {
    if (focusWindow == window) {
        focusWindow = nullptr;
    }
    if (currentDc == &window->dc) {
        currentDc = nullptr;
    }
    DropMessagesFor(window);
    std::erase_if(windows, [window](const auto& w) { return w.get() == window; });
}

HGLRC AddGlContext(PlatformGlContext* record) {
    glContexts.emplace_back(record);
    return record;
}

void RemoveGlContext(HGLRC context) {
    if (currentContext == context) {
        currentContext = nullptr;
        currentDc = nullptr;
    }
    std::erase_if(glContexts, [context](const auto& c) { return c.get() == context; });
}

void SetCurrent(HDC dc, HGLRC context) {
    currentDc = dc;
    currentContext = context;
}

void SetSurfaceAttributes() {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    // Version 1.x without profile or flags gets a legacy context: immediate
    // mode, display lists and glBitmap all work.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, 0);
}

}  // namespace sdlvideo

// Sanitizer builds: blocks that the system libraries under this layer keep
// until exit (D-Bus, X, Mesa, fontconfig) are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n"
           "leak:libX11.so\n"
           "leak:libxcb.so\n"
           "leak:libGLX\n"
           "leak:libGL.so\n"
           "leak:libEGL\n"
           "leak:swrast_dri.so\n"
           "leak:libLLVM\n"
           "leak:libfontconfig.so\n"
           "leak:libSDL2\n";
}

extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
