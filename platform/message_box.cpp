// MessageBoxA on SDL's message boxes. Where no box can be shown (no display),
// the text goes to standard error and the box counts as answered with its
// default button, so a program without a screen still gets on or ends.

#include "platform/platform.h"
#include "platform/sdl_video.h"

#include <SDL.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kFirstButton = 0;
constexpr int kSecondButton = 1;

// SDL's boxes break lines at LF only; a CR would show as a stray glyph.
std::string WithUnixLineBreaks(const char* text) {
    std::string result;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at == '\r') {
            result += '\n';
            if (at[1] == '\n') {
                ++at;
            }
        } else {
            result += *at;
        }
    }
    return result;
}

Uint32 IconFlags(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR: return SDL_MESSAGEBOX_ERROR;
        case MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
        case MB_ICONINFORMATION: return SDL_MESSAGEBOX_INFORMATION;
        default: return 0;
    }
}

bool IsYesNo(UINT type) { return (type & MB_TYPEMASK) == MB_YESNO; }

int DefaultAnswer(UINT type) { return IsYesNo(type) ? IDYES : IDOK; }

SDL_Window* OwnerSurface(HWND owner) {
    const PlatformWindow* record = sdlvideo::FindWindow(owner);
    return record != nullptr ? record->sdl : nullptr;
}

void WriteToStandardError(const std::string& text, const char* caption) {
    std::fprintf(stderr,
                 "%s: %s%s",
                 caption,
                 text.c_str(),
                 !text.empty() && text.back() == '\n' ? "" : "\n");
    std::fflush(stderr);
}

// The box took the keyboard; the window that had it gets it back, raised, so
// keys act on it again without a click (a window manager may not hand the
// focus back to a fullscreen window, and without one nobody does).
void GiveFocusBack(HWND window) {
    const PlatformWindow* record = sdlvideo::FindWindow(window);
    if (record == nullptr || !record->visible) return;
    SDL_RaiseWindow(record->sdl);
    SDL_SetWindowInputFocus(record->sdl);
}

}  // namespace

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    const std::string message = WithUnixLineBreaks(text != nullptr ? text : "");
    // A null caption is shown as "Error", as Windows does.
    const char* title = caption != nullptr ? caption : "Error";

    // Return chooses the first button (OK or Yes), Escape the last (OK or No).
    const SDL_MessageBoxButtonData okButton[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
         kFirstButton,
         "OK"},
    };
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kFirstButton, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kSecondButton, "No"},
    };
    const bool yesNo = IsYesNo(type);

    SDL_MessageBoxData box{};
    box.flags = IconFlags(type) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    box.window = OwnerSurface(owner);
    box.title = title;
    box.message = message.c_str();
    box.numbuttons = yesNo ? 2 : 1;
    box.buttons = yesNo ? yesNoButtons : okButton;

    int pressed = -1;
    const HWND focus = sdlvideo::FocusWindow();
    const int shown = SDL_ShowMessageBox(&box, &pressed);
    GiveFocusBack(focus);
    if (shown != 0) {
        WriteToStandardError(message, title);
        return DefaultAnswer(type);
    }
    if (!yesNo) {
        return IDOK;
    }
    // Closing a question box without a button is taken as No, like Escape.
    return pressed == kFirstButton ? IDYES : IDNO;
}
