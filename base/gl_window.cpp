// The program's one window with its GL context: creation, release, the
// fullscreen switch and the fixed 640 by 480 view.
#include <GL/gl.h>

#include <string>

#include "base/gl_state.h"
#include "base/gl_window.h"
#include "base/message.h"
#include "platform/platform.h"

GlWindow glWindow;
PIXELFORMATDESCRIPTOR PixelFormatRequest{};

namespace {

constexpr const char* kClassName = "OpenGL";
constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;
constexpr int kColourBits = 16;

bool pixelFormatFilled = false;
std::string windowTitle;
// What this program did to the desktop and to the class registry, so that a
// second CloseGlWindow undoes nothing twice.
bool displayModeChanged = false;
bool classRegistered = false;

void CreationError(const char* text) { ShowMessage(text, "ERROR", MessageKind::Warning); }
void ShutdownError(const char* text) {
    ShowMessage(text, "SHUTDOWN ERROR", MessageKind::Information);
}

// Closes what was made so far, then tells the user.
bool FailAfterClose(const char* text) {
    CloseGlWindow();
    CreationError(text);
    return false;
}

bool RegisterWindowClass() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = GlWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = glWindow.module;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = kClassName;
    if (RegisterClassA(&windowClass) == 0) return false;
    classRegistered = true;
    return true;
}

// Asks for the fullscreen mode; on refusal the user may go on windowed.
// False when the program is to end.
bool EnterFullscreenMode(int width, int height, int bits) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) {
        displayModeChanged = true;
        return true;
    }
    const int answer = ShowMessage(
        "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
        "Instead?",
        "Vemo GL",
        MessageKind::Question);
    if (answer == IDYES) {
        glWindow.fullscreen = false;
        return true;
    }
    ShowMessage("Program Will Now Close.", "ERROR", MessageKind::Stop);
    return false;
}

void FillPixelFormatRequest(int bits) {
    PixelFormatRequest = PIXELFORMATDESCRIPTOR{};
    PixelFormatRequest.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    PixelFormatRequest.nVersion = 1;
    PixelFormatRequest.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    PixelFormatRequest.iPixelType = PFD_TYPE_RGBA;
    PixelFormatRequest.cColorBits = static_cast<BYTE>(bits);
    PixelFormatRequest.cDepthBits = 16;
    PixelFormatRequest.iLayerType = PFD_MAIN_PLANE;
    pixelFormatFilled = true;
}

}  // namespace

bool OpenGlWindow(const char* title, int width, int height, int bits, bool fullscreen) {
    windowTitle = title != nullptr ? title : "";
    RECT rect{0, 0, width, height};
    glWindow.fullscreen = fullscreen;
    glWindow.module = GetModuleHandleA(nullptr);

    if (!RegisterWindowClass()) {
        CreationError("Failed To Register The Window Class.");
        return false;
    }
    if (glWindow.fullscreen && !EnterFullscreenMode(width, height, bits)) return false;

    DWORD exStyle = WS_EX_APPWINDOW;
    DWORD style = WS_POPUP;
    if (glWindow.fullscreen) {
        ShowCursor(FALSE);
    } else {
        exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
        style = WS_OVERLAPPEDWINDOW;
    }
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);

    glWindow.window = CreateWindowExA(exStyle,
                                      kClassName,
                                      windowTitle.c_str(),
                                      WS_CLIPSIBLINGS | WS_CLIPCHILDREN | style,
                                      0,
                                      0,
                                      rect.right - rect.left,
                                      rect.bottom - rect.top,
                                      nullptr,
                                      nullptr,
                                      glWindow.module,
                                      nullptr);
    if (glWindow.window == nullptr) return FailAfterClose("Window Creation Error.");

    if (!pixelFormatFilled) FillPixelFormatRequest(bits);

    glWindow.deviceContext = GetDC(glWindow.window);
    if (glWindow.deviceContext == nullptr) {
        return FailAfterClose("Can't Create A GL Device Context.");
    }
    const int format = ChoosePixelFormat(glWindow.deviceContext, &PixelFormatRequest);
    if (format == 0) return FailAfterClose("Can't Find A Suitable PixelFormat.");
    if (!SetPixelFormat(glWindow.deviceContext, format, &PixelFormatRequest)) {
        return FailAfterClose("Can't Set The PixelFormat.");
    }
    glWindow.glContext = wglCreateContext(glWindow.deviceContext);
    if (glWindow.glContext == nullptr) {
        return FailAfterClose("Can't Create A GL Rendering Context.");
    }
    if (!wglMakeCurrent(glWindow.deviceContext, glWindow.glContext)) {
        return FailAfterClose("Can't Activate The GL Rendering Context.");
    }

    ShowWindow(glWindow.window, SW_SHOW);
    SetForegroundWindow(glWindow.window);
    SetFocus(glWindow.window);
    // Size events during creation came before the context was current.
    ResizeView(width, height);

    if (!InitGlState()) return FailAfterClose("Initialization Failed.");
    return true;
}

void CloseGlWindow() {
    if (glWindow.fullscreen && displayModeChanged) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
        displayModeChanged = false;
    }
    if (glWindow.glContext != nullptr) {
        if (!wglMakeCurrent(nullptr, nullptr)) ShutdownError("Release Of DC And RC Failed.");
        if (!wglDeleteContext(glWindow.glContext)) {
            ShutdownError("Release Rendering Context Failed.");
        }
        glWindow.glContext = nullptr;
    }
    if (glWindow.deviceContext != nullptr) {
        if (!ReleaseDC(glWindow.window, glWindow.deviceContext)) {
            ShutdownError("Release Device Context Failed.");
        }
        glWindow.deviceContext = nullptr;
    }
    if (glWindow.window != nullptr) {
        if (!DestroyWindow(glWindow.window)) ShutdownError("Could Not Release hWnd.");
        glWindow.window = nullptr;
    }
    if (classRegistered) {
        if (UnregisterClassA(kClassName, glWindow.module)) {
            classRegistered = false;
        } else {
            ShutdownError("Could Not Unregister Class.");
        }
    }
}

bool ToggleFullscreen() {
    KeyState[VK_F1] = 0;
    CloseGlWindow();
    glWindow.fullscreen = !glWindow.fullscreen;
    const std::string title = windowTitle;
    return OpenGlWindow(title.c_str(), kViewWidth, kViewHeight, kColourBits, glWindow.fullscreen);
}

void ResizeView(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kViewWidth, kViewHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ResetGlWindowState() {
    glWindow = GlWindow{};
    PixelFormatRequest = PIXELFORMATDESCRIPTOR{};
    pixelFormatFilled = false;
    windowTitle.clear();
    displayModeChanged = false;
    classRegistered = false;
    KeyState.fill(0);
    windowActive = true;
    TextureTable.fill(0);
    fontBase = 0;
    ForgetFontObject();
}
