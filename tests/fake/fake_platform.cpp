// The fake's platform services: window class and window, display mode,
// cursor, device and GL contexts, the scripted message pump, message boxes,
// sounds and clocks. Everything is program-wide and put back by Reset().
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/fake/fake_platform.h"
#include "tests/fake/fake_state.h"

namespace fake {
namespace {

constexpr DWORD kWsVisible = 0x10000000;
constexpr int kPeeksAfterCloseLimit = 10000;

// Frame sizes that AdjustWindowRectEx adds around a client area with a
// caption and sizing border; pop-up windows get none.
constexpr LONG kBorder = 8;
constexpr LONG kCaption = 23;

enum class EntryKind { Message, Frames, Call, Clock };

struct ScriptEntry {
    EntryKind kind = EntryKind::Message;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int frames = 0;
    std::function<void()> fn;
    double ms = 0;
};

struct State {
    std::map<Op, int> failures;
    std::vector<std::string> callLog;

    std::deque<int> boxAnswers;
    std::vector<Box> boxes;

    std::vector<Sound> sounds;
    double syncSoundMs = 0;

    double clockMs = 0;
    LONGLONG frequency = 1000000;
    DWORD timeBase = 0;

    std::deque<ScriptEntry> script;
    int framesPending = 0;
    bool closeDelivered = false;
    int peeksAfterClose = 0;
    bool quitPending = false;
    int quitCode = 0;
    int swaps = 0;

    bool classRegistered = false;
    WNDCLASSA windowClass{};
    std::string className;

    std::uintptr_t handleSerial = 0;
    HWND window = nullptr;
    bool visible = false;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND focus = nullptr;

    HDC dc = nullptr;
    bool pixelFormatSet = false;
    PIXELFORMATDESCRIPTOR pixelRequest{};
    HGLRC context = nullptr;
    HGLRC current = nullptr;

    int cursorCounter = 0;
    bool modeChanged = false;
    DEVMODEA lastMode{};
    DWORD lastModeFlags = 0;

    FontRequest font{};
    HGDIOBJ selectedFont = nullptr;
};

State& S() {
    static State state;
    return state;
}

// Takes one scripted failure of op, if any.
bool Fails(Op op) {
    auto it = S().failures.find(op);
    if (it == S().failures.end() || it->second == 0) return false;
    if (it->second > 0) --it->second;
    return true;
}

// Distinct, never dereferenced handle values.
template <typename Handle>
Handle NewHandle() {
    S().handleSerial += 0x10;
    return reinterpret_cast<Handle>(std::uintptr_t{0x10000} + S().handleSerial);
}

bool HasFrame(DWORD style) { return (style & (WS_CAPTION | WS_THICKFRAME)) != 0; }

LRESULT SendToProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!S().classRegistered || S().windowClass.lpfnWndProc == nullptr) return 0;
    return S().windowClass.lpfnWndProc(S().window, message, wParam, lParam);
}

void FillMessage(MSG* msg, UINT message, WPARAM wParam, LPARAM lParam) {
    if (msg == nullptr) return;
    *msg = MSG{};
    msg->hwnd = S().window;
    msg->message = message;
    msg->wParam = wParam;
    msg->lParam = lParam;
    msg->time = timeGetTime();
}

}  // namespace

// ---------------------------------------------------------------------------
// Control

void Reset() {
    S() = State{};
    detail::DibPathLog().clear();
    detail::ResetGl();
}

void FailNext(Op op, int count) { S().failures[op] = count; }

const std::vector<std::string>& CallLog() { return S().callLog; }

int CallCount(const std::string& name) {
    int n = 0;
    for (const auto& entry : S().callLog) n += entry == name ? 1 : 0;
    return n;
}

void detail::LogCall(std::string name) { S().callLog.push_back(std::move(name)); }

void AnswerNextBox(int button) { S().boxAnswers.push_back(button); }
const std::vector<Box>& Boxes() { return S().boxes; }

const std::vector<Sound>& Sounds() { return S().sounds; }
void SetSyncSoundLengthMs(double ms) { S().syncSoundMs = ms; }

void SetClockMs(double ms) { S().clockMs = ms; }
void AdvanceClockMs(double ms) { S().clockMs += ms; }
double ClockMs() { return S().clockMs; }
void SetPerformanceFrequency(LONGLONG countsPerSecond) { S().frequency = countsPerSecond; }
void SetTimeGetTimeBase(DWORD baseMs) { S().timeBase = baseMs; }

void PushMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    ScriptEntry e;
    e.kind = EntryKind::Message;
    e.message = message;
    e.wParam = wParam;
    e.lParam = lParam;
    S().script.push_back(std::move(e));
}
void PushKeyDown(int vk) { PushMessage(WM_KEYDOWN, static_cast<WPARAM>(vk), 1); }
void PushKeyUp(int vk) {
    PushMessage(WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
}
void PushFrames(int n) {
    ScriptEntry e;
    e.kind = EntryKind::Frames;
    e.frames = n;
    S().script.push_back(std::move(e));
}
void PushCall(std::function<void()> fn) {
    ScriptEntry e;
    e.kind = EntryKind::Call;
    e.fn = std::move(fn);
    S().script.push_back(std::move(e));
}
void PushClockMs(double ms) {
    ScriptEntry e;
    e.kind = EntryKind::Clock;
    e.ms = ms;
    S().script.push_back(std::move(e));
}
void PushClose() { PushMessage(WM_CLOSE); }
bool ScriptEmpty() { return S().script.empty() && S().framesPending == 0; }

int SwapCount() { return S().swaps; }

bool WindowExists() { return S().window != nullptr; }
bool WindowVisible() { return S().window != nullptr && S().visible; }
bool WindowFullscreen() {
    return S().window != nullptr && (S().style & WS_POPUP) != 0 && S().modeChanged;
}
std::string WindowTitle() { return S().title; }
int WindowWidth() { return S().width; }
int WindowHeight() { return S().height; }
int WindowX() { return S().x; }
int WindowY() { return S().y; }
DWORD WindowStyle() { return S().style; }
DWORD WindowExStyle() { return S().exStyle; }
bool WindowFocused() { return S().window != nullptr && S().focus == S().window; }
int CursorCounter() { return S().cursorCounter; }
bool DisplayModeChanged() { return S().modeChanged; }
bool ContextCurrent() { return S().current != nullptr; }
bool ClassRegistered() { return S().classRegistered; }
WNDCLASSA RegisteredClass() { return S().windowClass; }
DEVMODEA LastDisplayMode() { return S().lastMode; }
DWORD LastDisplayModeFlags() { return S().lastModeFlags; }
PIXELFORMATDESCRIPTOR LastPixelFormatRequest() { return S().pixelRequest; }
const FontRequest& LastFont() { return S().font; }
const std::vector<std::string>& DibPaths() { return detail::DibPathLog(); }

}  // namespace fake

using namespace fake;

// ---------------------------------------------------------------------------
// Module and window class

HMODULE GetModuleHandleA(const char* moduleName) {
    detail::LogCall("GetModuleHandleA");
    if (moduleName != nullptr) return nullptr;
    return reinterpret_cast<HMODULE>(std::uintptr_t{0x400000});
}

HICON LoadIconA(HINSTANCE, const char* iconName) {
    detail::LogCall("LoadIconA");
    return reinterpret_cast<HICON>(std::uintptr_t{0x20000} +
                                   reinterpret_cast<std::uintptr_t>(iconName));
}

HCURSOR LoadCursorA(HINSTANCE, const char* cursorName) {
    detail::LogCall("LoadCursorA");
    return reinterpret_cast<HCURSOR>(std::uintptr_t{0x30000} +
                                     reinterpret_cast<std::uintptr_t>(cursorName));
}

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    detail::LogCall("RegisterClassA");
    if (Fails(Op::RegisterClassA) || windowClass == nullptr || S().classRegistered) return 0;
    S().classRegistered = true;
    S().className = windowClass->lpszClassName != nullptr ? windowClass->lpszClassName : "";
    S().windowClass = *windowClass;
    S().windowClass.lpszClassName = S().className.c_str();
    S().windowClass.lpszMenuName = nullptr;
    return 1;
}

BOOL UnregisterClassA(const char* className, HINSTANCE) {
    detail::LogCall("UnregisterClassA");
    if (Fails(Op::UnregisterClassA)) return FALSE;
    if (!S().classRegistered || className == nullptr || S().className != className) return FALSE;
    S().classRegistered = false;
    S().windowClass = WNDCLASSA{};
    S().className.clear();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Display mode and cursor

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    if (mode == nullptr) {
        detail::LogCall("ChangeDisplaySettingsA(null)");
        S().modeChanged = false;
        return DISP_CHANGE_SUCCESSFUL;
    }
    detail::LogCall("ChangeDisplaySettingsA");
    S().lastMode = *mode;
    S().lastModeFlags = flags;
    if (Fails(Op::ChangeDisplaySettingsA)) return DISP_CHANGE_FAILED;
    S().modeChanged = true;
    return DISP_CHANGE_SUCCESSFUL;
}

int ShowCursor(BOOL show) {
    detail::LogCall(show ? "ShowCursor(1)" : "ShowCursor(0)");
    S().cursorCounter += show ? 1 : -1;
    return S().cursorCounter;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD) {
    detail::LogCall("AdjustWindowRectEx");
    if (rect == nullptr) return FALSE;
    if (HasFrame(style)) {
        rect->left -= kBorder;
        rect->right += kBorder;
        rect->top -= kBorder + kCaption;
        rect->bottom += kBorder;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Windows

HWND CreateWindowExA(DWORD exStyle,
                     const char* className,
                     const char* windowName,
                     DWORD style,
                     int x,
                     int y,
                     int width,
                     int height,
                     HWND,
                     HMENU,
                     HINSTANCE,
                     void*) {
    detail::LogCall("CreateWindowExA");
    if (Fails(Op::CreateWindowExA)) return nullptr;
    if (!S().classRegistered || className == nullptr || S().className != className) return nullptr;
    S().window = NewHandle<HWND>();
    S().visible = (style & kWsVisible) != 0;
    S().title = windowName != nullptr ? windowName : "";
    S().style = style;
    S().exStyle = exStyle;
    S().x = x;
    S().y = y;
    S().width = width;
    S().height = height;
    S().pixelFormatSet = false;
    return S().window;
}

BOOL DestroyWindow(HWND window) {
    detail::LogCall("DestroyWindow");
    if (Fails(Op::DestroyWindow) || window == nullptr || window != S().window) return FALSE;
    SendToProc(WM_DESTROY, 0, 0);
    if (S().focus == S().window) S().focus = nullptr;
    S().window = nullptr;
    S().visible = false;
    return TRUE;
}

BOOL ShowWindow(HWND window, int command) {
    detail::LogCall("ShowWindow");
    if (window == nullptr || window != S().window) return FALSE;
    const BOOL wasVisible = S().visible ? TRUE : FALSE;
    if (command == SW_HIDE) {
        S().visible = false;
        return wasVisible;
    }
    S().visible = true;
    if (command == SW_SHOW) {
        int clientWidth = S().width;
        int clientHeight = S().height;
        if (HasFrame(S().style)) {
            clientWidth -= 2 * kBorder;
            clientHeight -= 2 * kBorder + kCaption;
        }
        SendToProc(WM_ACTIVATE, WA_ACTIVE, 0);
        SendToProc(WM_SIZE,
                   SIZE_RESTORED,
                   static_cast<LPARAM>((static_cast<DWORD>(clientHeight & 0xFFFF) << 16) |
                                       static_cast<DWORD>(clientWidth & 0xFFFF)));
    }
    return wasVisible;
}

BOOL SetForegroundWindow(HWND window) {
    detail::LogCall("SetForegroundWindow");
    return window != nullptr && window == S().window ? TRUE : FALSE;
}

HWND SetFocus(HWND window) {
    detail::LogCall("SetFocus");
    HWND previous = S().focus;
    if (window == nullptr || window == S().window) S().focus = window;
    return previous;
}

HWND GetFocus() {
    detail::LogCall("GetFocus");
    return S().focus;
}

// ---------------------------------------------------------------------------
// Device context, pixel format and GL context

HDC GetDC(HWND window) {
    detail::LogCall("GetDC");
    if (Fails(Op::GetDC) || window == nullptr || window != S().window) return nullptr;
    if (S().dc == nullptr) S().dc = NewHandle<HDC>();
    return S().dc;
}

int ReleaseDC(HWND, HDC dc) {
    detail::LogCall("ReleaseDC");
    if (Fails(Op::ReleaseDC) || dc == nullptr || dc != S().dc) return 0;
    S().dc = nullptr;
    return 1;
}

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request) {
    detail::LogCall("ChoosePixelFormat");
    if (request != nullptr) S().pixelRequest = *request;
    if (Fails(Op::ChoosePixelFormat) || dc == nullptr || request == nullptr) return 0;
    return 1;
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
    detail::LogCall("SetPixelFormat");
    if (Fails(Op::SetPixelFormat) || dc == nullptr || dc != S().dc || format <= 0) return FALSE;
    S().pixelFormatSet = true;
    return TRUE;
}

HGLRC wglCreateContext(HDC dc) {
    detail::LogCall("wglCreateContext");
    if (Fails(Op::wglCreateContext) || dc == nullptr || dc != S().dc || !S().pixelFormatSet) {
        return nullptr;
    }
    S().context = NewHandle<HGLRC>();
    return S().context;
}

BOOL wglMakeCurrent(HDC dc, HGLRC context) {
    if (context == nullptr) {
        detail::LogCall("wglMakeCurrent(null)");
        if (Fails(Op::wglMakeCurrentNone)) return FALSE;
        S().current = nullptr;
        return TRUE;
    }
    detail::LogCall("wglMakeCurrent");
    if (Fails(Op::wglMakeCurrent) || dc == nullptr || context != S().context) return FALSE;
    S().current = context;
    return TRUE;
}

BOOL wglDeleteContext(HGLRC context) {
    detail::LogCall("wglDeleteContext");
    if (Fails(Op::wglDeleteContext) || context == nullptr || context != S().context) return FALSE;
    if (S().current == context) S().current = nullptr;
    S().context = nullptr;
    detail::DropGlObjects();
    return TRUE;
}

BOOL SwapBuffers(HDC dc) {
    detail::LogCall("SwapBuffers");
    ++S().swaps;
    detail::EndGlFrame();
    return dc != nullptr ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// Message pump

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
    detail::LogCall("PeekMessageA");
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    if (S().quitPending) {
        FillMessage(msg, WM_QUIT, static_cast<WPARAM>(S().quitCode), 0);
        if (remove) S().quitPending = false;
        return TRUE;
    }
    if (S().framesPending > 0) {
        --S().framesPending;
        return FALSE;
    }
    while (!S().script.empty()) {
        ScriptEntry& front = S().script.front();
        switch (front.kind) {
            case EntryKind::Call: {
                auto fn = std::move(front.fn);
                S().script.pop_front();
                if (fn) fn();
                if (S().quitPending) {
                    FillMessage(msg, WM_QUIT, static_cast<WPARAM>(S().quitCode), 0);
                    if (remove) S().quitPending = false;
                    return TRUE;
                }
                continue;
            }
            case EntryKind::Clock:
                S().clockMs = front.ms;
                S().script.pop_front();
                continue;
            case EntryKind::Frames: {
                const int n = front.frames;
                S().script.pop_front();
                if (n <= 0) continue;
                S().framesPending = n - 1;
                return FALSE;
            }
            case EntryKind::Message: {
                FillMessage(msg, front.message, front.wParam, front.lParam);
                if (remove) S().script.pop_front();
                return TRUE;
            }
        }
    }
    if (!S().closeDelivered) {
        FillMessage(msg, WM_CLOSE, 0, 0);
        if (remove) S().closeDelivered = true;
        return TRUE;
    }
    if (++S().peeksAfterClose > kPeeksAfterCloseLimit) {
        std::fprintf(stderr,
                     "fake platform: the program still asks for messages %d calls after the "
                     "script's final WM_CLOSE; aborting instead of hanging\n",
                     kPeeksAfterCloseLimit);
        std::abort();
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG*) {
    detail::LogCall("TranslateMessage");
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    detail::LogCall("DispatchMessageA");
    if (msg == nullptr || msg->message == WM_QUIT) return 0;
    return SendToProc(msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
    detail::LogCall("PostQuitMessage");
    S().quitPending = true;
    S().quitCode = exitCode;
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) {
    detail::LogCall("DefWindowProcA");
    return 0;
}

// ---------------------------------------------------------------------------
// Message boxes and sounds

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    detail::LogCall("MessageBoxA");
    int answer = (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    if (!S().boxAnswers.empty()) {
        answer = S().boxAnswers.front();
        S().boxAnswers.pop_front();
    }
    S().boxes.push_back(Box{text != nullptr ? text : "",
                            caption != nullptr ? caption : "",
                            type,
                            owner != nullptr,
                            answer});
    return answer;
}

BOOL PlaySoundA(const char* sound, HMODULE, DWORD flags) {
    detail::LogCall("PlaySoundA");
    S().sounds.push_back(Sound{sound != nullptr ? sound : "", flags, S().clockMs});
    if ((flags & SND_ASYNC) == 0) S().clockMs += S().syncSoundMs;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Clocks

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    detail::LogCall("QueryPerformanceFrequency");
    if (Fails(Op::QueryPerformanceFrequency)) {
        if (frequency != nullptr) frequency->QuadPart = 0;
        return FALSE;
    }
    if (frequency != nullptr) frequency->QuadPart = S().frequency;
    return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    detail::LogCall("QueryPerformanceCounter");
    if (count != nullptr) {
        count->QuadPart = static_cast<LONGLONG>(
            std::floor(S().clockMs * static_cast<double>(S().frequency) / 1000.0));
    }
    return TRUE;
}

DWORD timeGetTime() {
    detail::LogCall("timeGetTime");
    const auto whole = static_cast<std::uint64_t>(std::floor(std::max(S().clockMs, 0.0)));
    return static_cast<DWORD>(S().timeBase + whole);
}

// ---------------------------------------------------------------------------
// Bitmap font

HFONT CreateFontA(int height,
                  int width,
                  int escapement,
                  int orientation,
                  int weight,
                  DWORD italic,
                  DWORD underline,
                  DWORD strikeOut,
                  DWORD charSet,
                  DWORD outputPrecision,
                  DWORD clipPrecision,
                  DWORD quality,
                  DWORD pitchAndFamily,
                  const char* faceName) {
    detail::LogCall("CreateFontA");
    S().font = FontRequest{height,
                           width,
                           escapement,
                           orientation,
                           weight,
                           italic,
                           underline,
                           strikeOut,
                           charSet,
                           outputPrecision,
                           clipPrecision,
                           quality,
                           pitchAndFamily,
                           faceName != nullptr ? faceName : ""};
    return NewHandle<HFONT>();
}

HGDIOBJ SelectObject(HDC, HGDIOBJ object) {
    detail::LogCall("SelectObject");
    HGDIOBJ previous = S().selectedFont;
    S().selectedFont = object;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    detail::LogCall("DeleteObject");
    return object != nullptr ? TRUE : FALSE;
}

BOOL wglUseFontBitmapsA(HDC dc, DWORD first, DWORD count, DWORD listBase) {
    detail::LogCall("wglUseFontBitmapsA");
    if (dc == nullptr) return FALSE;
    detail::RegisterGlyphs(first, count, listBase);
    return TRUE;
}
