// The message queue: SDL events become the Windows messages the window
// procedures handle (keys by virtual-key code, activation with the minimized
// flag, client size, close), posted and quit messages are kept in order, and
// SIGINT/SIGTERM become close requests. Events that no program handles never
// become messages: the loops take one message per pass, and a stream of
// mouse motion would otherwise hold key presses back for seconds.
#include <csignal>

#include <array>
#include <deque>
#include <initializer_list>

#include "platform/key_codes.h"
#include "platform/sdl_video.h"

namespace {

std::deque<MSG> queue;
bool quitPosted = false;
int quitCode = 0;
volatile std::sig_atomic_t closeSignal = 0;

// Whether each key's last key-down went out as a system key, so that its
// key-up is of the same kind: a key released while Alt is held must not stay
// down in a table that only sees non-system messages.
std::array<bool, 256> downAsSystem{};

constexpr LPARAM kAltDownBit = LPARAM{1} << 29;
constexpr LPARAM kWasDownBit = LPARAM{1} << 30;
constexpr LPARAM kReleasedBit = LPARAM{1} << 31;

extern "C" void OnCloseSignal(int) { closeSignal = 1; }

bool Matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax) {
    return (window == nullptr || msg.hwnd == window) &&
           ((filterMin == 0 && filterMax == 0) ||
            (msg.message >= filterMin && msg.message <= filterMax));
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD time) {
    queue.push_back(MSG{window, message, wParam, lParam, time, POINT{0, 0}});
}

WPARAM Activation(WORD state, bool minimized) {
    return static_cast<WPARAM>(sdlvideo::MakeLong(state, minimized ? 1 : 0));
}

LPARAM ClientSize(const PlatformWindow& window) {
    int width = 0;
    int height = 0;
    SDL_GetWindowSizeInPixels(window.sdl, &width, &height);
    return sdlvideo::MakeLong(static_cast<unsigned>(width), static_cast<unsigned>(height));
}

WPARAM SizeKind(const PlatformWindow& window) {
    return (SDL_GetWindowFlags(window.sdl) & SDL_WINDOW_MAXIMIZED) ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

void ConvertKey(const SDL_KeyboardEvent& key) {
    HWND window = sdlvideo::FindWindow(SDL_GetWindowFromID(key.windowID));
    if (window == nullptr) {
        window = sdlvideo::FocusWindow();
    }
    const int code = sdlvideo::VirtualKeyCode(key.keysym.sym, key.keysym.scancode);
    if (window == nullptr || code <= 0 || code > 255) {
        return;
    }
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    const bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
    // Alt combinations (not Ctrl+Alt, which is AltGr on many layouts), Alt
    // itself and F10 are system keys.
    const bool systemNow = code == VK_F10 || code == VK_MENU || (alt && !ctrl);
    LPARAM lParam = 1 | (static_cast<LPARAM>(key.keysym.scancode & 0xFF) << 16);
    if (alt) {
        lParam |= kAltDownBit;
    }
    if (key.type == SDL_KEYDOWN) {
        downAsSystem[code] = systemNow;
        if (key.repeat) {
            lParam |= kWasDownBit;
        }
        Post(window,
             systemNow ? WM_SYSKEYDOWN : WM_KEYDOWN,
             static_cast<WPARAM>(code),
             lParam,
             key.timestamp);
    } else {
        const bool system = downAsSystem[code];
        downAsSystem[code] = false;
        Post(window,
             system ? WM_SYSKEYUP : WM_KEYUP,
             static_cast<WPARAM>(code),
             lParam | kWasDownBit | kReleasedBit,
             key.timestamp);
    }
}

void ConvertWindowEvent(const SDL_WindowEvent& event) {
    PlatformWindow* record = sdlvideo::FindWindow(SDL_GetWindowFromID(event.windowID));
    if (record == nullptr) {
        return;
    }
    HWND window = record;
    const DWORD time = event.timestamp;
    switch (event.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (!record->minimized) {
                Post(window, WM_SIZE, SizeKind(*record), ClientSize(*record), time);
            }
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            if (!record->minimized) {
                record->minimized = true;
                Post(window, WM_ACTIVATE, Activation(WA_INACTIVE, true), 0, time);
                Post(window, WM_SIZE, SIZE_MINIMIZED, 0, time);
            }
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SHOWN:
            // Coming back from the task bar: active again, at its real size.
            if (record->minimized) {
                record->minimized = false;
                Post(window, WM_ACTIVATE, Activation(WA_ACTIVE, false), 0, time);
                Post(window, WM_SIZE, SizeKind(*record), ClientSize(*record), time);
            }
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            sdlvideo::SetFocusWindow(window);
            Post(window, WM_ACTIVATE, Activation(WA_ACTIVE, record->minimized), 0, time);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (sdlvideo::FocusWindow() == window) {
                sdlvideo::SetFocusWindow(nullptr);
            }
            Post(window, WM_ACTIVATE, Activation(WA_INACTIVE, record->minimized), 0, time);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            // The window manager's close button, as the system menu's Close.
            Post(window, WM_SYSCOMMAND, SC_CLOSE, 0, time);
            break;
        default: break;
    }
}

void Convert(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: ConvertKey(event.key); break;
        case SDL_WINDOWEVENT: ConvertWindowEvent(event.window); break;
        default: break;  // everything else is dropped here
    }
}

// A pending SIGINT or SIGTERM closes the focus window (or any window of
// ours); without a window it ends the loop directly.
void TakeCloseSignal() {
    if (closeSignal == 0) {
        return;
    }
    closeSignal = 0;
    HWND window = sdlvideo::FocusWindow();
    if (window == nullptr) {
        window = sdlvideo::AnyWindow();
    }
    if (window != nullptr) {
        Post(window, WM_CLOSE, 0, 0, SDL_GetTicks());
    } else {
        PostQuitMessage(0);
    }
}

bool TakeQueued(MSG* msg, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (Matches(*it, window, filterMin, filterMax)) {
            *msg = *it;
            if (remove) {
                queue.erase(it);
            }
            return true;
        }
    }
    return false;
}

}  // namespace

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (msg == nullptr) {
        return FALSE;
    }
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    TakeCloseSignal();
    if (TakeQueued(msg, window, filterMin, filterMax, remove)) {
        return TRUE;
    }
    if (quitPosted &&
        Matches(MSG{nullptr, WM_QUIT, 0, 0, 0, {0, 0}}, nullptr, filterMin, filterMax)) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode), 0, SDL_GetTicks(), {0, 0}};
        if (remove) {
            quitPosted = false;
        }
        return TRUE;
    }
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        return FALSE;
    }
    // Convert events until one gives a message; the rest stay in SDL's queue.
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        Convert(event);
        if (TakeQueued(msg, window, filterMin, filterMax, remove)) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr) {
        return FALSE;
    }
    switch (msg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            // The character goes first, ahead of input still waiting.
            int character =
                sdlvideo::KeyCharacter(static_cast<int>(msg->wParam), SDL_GetModState());
            if (character != 0) {
                queue.push_front(MSG{msg->hwnd,
                                     msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                                     static_cast<WPARAM>(character),
                                     msg->lParam,
                                     msg->time,
                                     msg->pt});
            }
            return TRUE;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: return TRUE;
        default: return FALSE;
    }
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) {
        return 0;
    }
    return sdlvideo::SendToWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
    quitPosted = true;
    quitCode = exitCode;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE: DestroyWindow(window); return 0;
        case WM_SYSKEYDOWN:
            // Alt+F4 asks the window to close, window manager or not.
            if (wParam == VK_F4 && (lParam & kAltDownBit) != 0) {
                sdlvideo::SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                sdlvideo::SendToWindow(window, WM_CLOSE, 0, 0);
            }
            return 0;
        default: return 0;
    }
}

namespace sdlvideo {

void DropMessagesFor(HWND window) {
    std::erase_if(queue, [window](const MSG& msg) { return msg.hwnd == window; });
}

void InstallCloseSignals() {
    struct sigaction action {};
    action.sa_handler = OnCloseSignal;
    sigemptyset(&action.sa_mask);
    // A second signal ends the program the hard way, should the first one
    // find it unable to close.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void IgnoreUnusedEvents() {
    for (Uint32 type : {SDL_MOUSEMOTION,
                        SDL_MOUSEBUTTONDOWN,
                        SDL_MOUSEBUTTONUP,
                        SDL_MOUSEWHEEL,
                        SDL_TEXTINPUT,
                        SDL_TEXTEDITING,
                        SDL_TEXTEDITING_EXT,
                        SDL_KEYMAPCHANGED,
                        SDL_FINGERDOWN,
                        SDL_FINGERUP,
                        SDL_FINGERMOTION,
                        SDL_MULTIGESTURE,
                        SDL_DOLLARGESTURE,
                        SDL_DOLLARRECORD,
                        SDL_DROPFILE,
                        SDL_DROPTEXT,
                        SDL_DROPBEGIN,
                        SDL_DROPCOMPLETE,
                        SDL_CLIPBOARDUPDATE,
                        SDL_DISPLAYEVENT,
                        SDL_JOYAXISMOTION,
                        SDL_JOYBALLMOTION,
                        SDL_JOYHATMOTION,
                        SDL_JOYBUTTONDOWN,
                        SDL_JOYBUTTONUP,
                        SDL_CONTROLLERAXISMOTION,
                        SDL_CONTROLLERBUTTONDOWN,
                        SDL_CONTROLLERBUTTONUP,
                        SDL_SENSORUPDATE,
                        SDL_LOCALECHANGED}) {
        SDL_EventState(type, SDL_IGNORE);
    }
}

}  // namespace sdlvideo
