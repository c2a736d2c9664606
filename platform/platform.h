// The Windows services the two programs were designed against, declared by us
// under their Windows names and implemented on SDL2 (platform/) or by the
// scriptable fake (tests/fake/). Only what the programs actually use is here.
//
// Everything above this layer includes this header and <GL/gl.h>, never SDL.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------------------
// Basic types

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using LONGLONG = std::int64_t;
using ATOM = WORD;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Handles are opaque pointers to records that only the implementation knows.
struct PlatformModule;
struct PlatformWindow;
struct PlatformDeviceContext;
struct PlatformGlContext;
struct PlatformIcon;
struct PlatformCursor;
struct PlatformBrush;
struct PlatformMenu;
struct PlatformGdiObject;

using HINSTANCE = PlatformModule*;
using HMODULE = PlatformModule*;
using HWND = PlatformWindow*;
using HDC = PlatformDeviceContext*;
using HGLRC = PlatformGlContext*;
using HICON = PlatformIcon*;
using HCURSOR = PlatformCursor*;
using HBRUSH = PlatformBrush*;
using HMENU = PlatformMenu*;
using HGDIOBJ = PlatformGdiObject*;
using HFONT = PlatformGdiObject*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct POINT {
    LONG x;
    LONG y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

// Only the fields the programs fill in; dmFields says which of them are set.
struct DEVMODEA {
    WORD dmSize;
    DWORD dmFields;
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
};

struct PIXELFORMATDESCRIPTOR {
    WORD nSize;
    WORD nVersion;
    DWORD dwFlags;
    BYTE iPixelType;
    BYTE cColorBits;
    BYTE cRedBits;
    BYTE cRedShift;
    BYTE cGreenBits;
    BYTE cGreenShift;
    BYTE cBlueBits;
    BYTE cBlueShift;
    BYTE cAlphaBits;
    BYTE cAlphaShift;
    BYTE cAccumBits;
    BYTE cAccumRedBits;
    BYTE cAccumGreenBits;
    BYTE cAccumBlueBits;
    BYTE cAccumAlphaBits;
    BYTE cDepthBits;
    BYTE cStencilBits;
    BYTE cAuxBuffers;
    BYTE iLayerType;
    BYTE bReserved;
    DWORD dwLayerMask;
    DWORD dwVisibleMask;
    DWORD dwDamageMask;
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the request record is 40 bytes");

union LARGE_INTEGER {
    LONGLONG QuadPart;
};

// The decoded picture of the DIB reader: 24-bit RGB rows, bottom row first.
// The record and its pixel array are separate heap blocks (malloc); the
// receiver frees the pixels first, then the record.
struct AUX_RGBImageRec {
    std::int32_t sizeX;
    std::int32_t sizeY;
    unsigned char* data;
};

// ---------------------------------------------------------------------------
// Constants

// Window messages
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_SYSCOMMAND = 0x0112;

// WM_ACTIVATE low word
constexpr WORD WA_INACTIVE = 0;
constexpr WORD WA_ACTIVE = 1;

// WM_SIZE word parameter
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_SYSCOMMAND word parameter
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_KEYMENU = 0xF100;
constexpr WPARAM SC_SCREENSAVE = 0xF140;
constexpr WPARAM SC_MONITORPOWER = 0xF170;

// PeekMessageA
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Class styles
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_OWNDC = 0x0020;

// Window styles
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

// ShowWindow
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;

// ChangeDisplaySettingsA
constexpr DWORD CDS_FULLSCREEN = 0x00000004;
constexpr LONG DISP_CHANGE_SUCCESSFUL = 0;
constexpr LONG DISP_CHANGE_FAILED = -1;
constexpr LONG DISP_CHANGE_BADMODE = -2;
constexpr DWORD DM_BITSPERPEL = 0x00040000;
constexpr DWORD DM_PELSWIDTH = 0x00080000;
constexpr DWORD DM_PELSHEIGHT = 0x00100000;

// Pixel formats
constexpr DWORD PFD_DOUBLEBUFFER = 0x00000001;
constexpr DWORD PFD_DRAW_TO_WINDOW = 0x00000004;
constexpr DWORD PFD_SUPPORT_OPENGL = 0x00000020;
constexpr BYTE PFD_TYPE_RGBA = 0;
constexpr BYTE PFD_MAIN_PLANE = 0;

// Message boxes
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONWARNING = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr int IDOK = 1;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// PlaySoundA
constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_FILENAME = 0x00020000;

// Fonts
constexpr int FW_BOLD = 700;
constexpr DWORD ANSI_CHARSET = 0;
constexpr DWORD OUT_TT_PRECIS = 4;
constexpr DWORD CLIP_DEFAULT_PRECIS = 0;
constexpr DWORD ANTIALIASED_QUALITY = 4;
constexpr DWORD DEFAULT_PITCH = 0;
constexpr DWORD FF_DONTCARE = 0;

// Stock icon and cursor names (resource identifiers, as Windows passes them)
inline const char* const IDI_WINLOGO = reinterpret_cast<const char*>(32517);
inline const char* const IDC_ARROW = reinterpret_cast<const char*>(32512);

// Virtual-key codes that the programs read (letters and digits are their
// upper-case ASCII codes, 'A' = 65, '0' = 48).
constexpr int VK_RETURN = 0x0D;
constexpr int VK_MENU = 0x12;  // Alt
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_NUMPAD0 = 0x60;  // keypad digits 0x60 to 0x69
constexpr int VK_F1 = 0x70;
constexpr int VK_F4 = 0x73;
constexpr int VK_F10 = 0x79;

// ---------------------------------------------------------------------------
// Operations. Their behaviour is what the programs rely on of the Windows
// originals; each implementation file says how it provides it.

// Module and window class
HMODULE GetModuleHandleA(const char* moduleName);
HICON LoadIconA(HINSTANCE instance, const char* iconName);
HCURSOR LoadCursorA(HINSTANCE instance, const char* cursorName);
// Fails (returns 0) when there is no display to open a window on.
ATOM RegisterClassA(const WNDCLASSA* windowClass);
BOOL UnregisterClassA(const char* className, HINSTANCE instance);

// Display mode: a mode record changes the screen to exactly that size (or
// fails); a null record returns to the desktop's own mode.
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);
// Counted like Windows: the cursor shows while the counter is >= 0.
int ShowCursor(BOOL show);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);

// Windows are created hidden unless the style says otherwise; messages sent
// during creation reach the class's window procedure.
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
                     void* param);
BOOL DestroyWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL SetForegroundWindow(HWND window);
HWND SetFocus(HWND window);
HWND GetFocus();

// Device context, pixel format and GL context
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request);
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* request);
HGLRC wglCreateContext(HDC dc);
BOOL wglMakeCurrent(HDC dc, HGLRC context);
BOOL wglDeleteContext(HGLRC context);
BOOL SwapBuffers(HDC dc);

// Message pump
BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
void PostQuitMessage(int exitCode);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Message boxes: modal; the result is the button pressed (IDOK, IDYES, IDNO).
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// Sound: a WAV file by path. SND_SYNC returns when it has ended, SND_ASYNC at
// once. A new sound cuts one still playing. Missing files, unreadable files
// and a missing audio device play nothing and return at once.
BOOL PlaySoundA(const char* sound, HMODULE module, DWORD flags);

// Clocks
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
DWORD timeGetTime();

// Bitmap font: a font object by description, made the device context's font,
// then glyph bitmaps of `count` codes from `first` built into consecutive
// display lists from `listBase` (each list draws at the raster position and
// advances it).
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
                  const char* faceName);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
BOOL wglUseFontBitmapsA(HDC dc, DWORD first, DWORD count, DWORD listBase);

// The DIB reader: a BMP file to 24-bit RGB, bottom row first. On failure it
// shows its own box (caption "Error", owned by the focus window) and returns
// null.
AUX_RGBImageRec* auxDIBImageLoadA(const char* path);
