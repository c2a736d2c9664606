// The running module, stock icons and cursors, and window classes: a class is
// a name with a window procedure; registering one is also where the display
// is first opened, so a machine without one fails here.
#include <strings.h>
#include <algorithm>
#include <cstdint>

#include <string>
#include <vector>

#include "platform/sdl_video.h"

struct PlatformModule {
    int unused;
};
struct PlatformIcon {
    int id;
};
struct PlatformCursor {
    int id;
};

namespace {

PlatformModule runningModule{};

struct WindowClass {
    std::string name;
    WNDPROC procedure;
    HINSTANCE instance;
};
std::vector<WindowClass> classes;

// Resource names below 0x10000 are numbers, as Windows passes stock ids.
int ResourceId(const char* name) {
    auto value = reinterpret_cast<std::uintptr_t>(name);
    return value != 0 && value < 0x10000 ? static_cast<int>(value) : 0;
}

std::vector<WindowClass>::iterator FindClass(const char* name) {
    return std::find_if(classes.begin(), classes.end(), [name](const WindowClass& c) {
        return strcasecmp(c.name.c_str(), name) == 0;
    });
}

}  // namespace

HMODULE GetModuleHandleA(const char* moduleName) {
    // Only the running program itself is a module here.
    return moduleName == nullptr ? &runningModule : nullptr;
}

HICON LoadIconA(HINSTANCE instance, const char* iconName) {
    // Stock icons IDI_APPLICATION (32512) to IDI_WINLOGO (32517); the
    // desktop's default application icon stands for all of them.
    static PlatformIcon stock[6] = {{32512}, {32513}, {32514}, {32515}, {32516}, {32517}};
    int id = ResourceId(iconName);
    if (instance != nullptr || id < 32512 || id > 32517) {
        return nullptr;
    }
    return &stock[id - 32512];
}

HCURSOR LoadCursorA(HINSTANCE instance, const char* cursorName) {
    // Only the standard arrow, which is what SDL shows by default.
    static PlatformCursor arrow{32512};
    if (instance != nullptr || ResourceId(cursorName) != 32512) {
        return nullptr;
    }
    return &arrow;
}

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
        windowClass->lpszClassName == nullptr || ResourceId(windowClass->lpszClassName) != 0 ||
        FindClass(windowClass->lpszClassName) != classes.end()) {
        return 0;
    }
    if (!sdlvideo::EnsureVideo()) {
        return 0;
    }
    classes.push_back(
        {windowClass->lpszClassName, windowClass->lpfnWndProc, windowClass->hInstance});
    // Atoms of registered classes start at 0xC000 on Windows.
    return static_cast<ATOM>(0xC000 + classes.size());
}

BOOL UnregisterClassA(const char* className, HINSTANCE instance) {
    (void)instance;
    if (className == nullptr || ResourceId(className) != 0) {
        return FALSE;
    }
    auto it = FindClass(className);
    if (it == classes.end()) {
        return FALSE;
    }
    // A class with windows still open stays registered, as on Windows.
    if (sdlvideo::ClassHasWindows(it->name.c_str())) {
        return FALSE;
    }
    classes.erase(it);
    return TRUE;
}

namespace sdlvideo {

WNDPROC ClassProcedure(const char* className) {
    if (className == nullptr || ResourceId(className) != 0) {
        return nullptr;
    }
    auto it = FindClass(className);
    return it == classes.end() ? nullptr : it->procedure;
}

}  // namespace sdlvideo
