// A GL window on the platform layer alone, for the real-window tests of the
// font lists and the message boxes. Reports on standard output:
//   drawn          after the first frame with text
//   answer N       what a message box returned
// Arguments:
//   text                               draws "MMMM" with its baseline at
//                                      (100, 200) and "\x7f M" at (100, 300),
//                                      white on black, until closed
//   box CAPTION ok|yesno TEXT [owned]  shows one box (owned by the window
//                                      when "owned" is given) and ends
// Exit codes: 0 done, 2 bad arguments, 5 window or GL set-up failed.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

HINSTANCE module = nullptr;
HWND window = nullptr;
HDC deviceContext = nullptr;
HGLRC glContext = nullptr;
bool closing = false;

LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        closing = true;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool OpenWindow() {
    module = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{CS_HREDRAW | CS_VREDRAW | CS_OWNDC,
                          Procedure,
                          0,
                          0,
                          module,
                          nullptr,
                          nullptr,
                          nullptr,
                          nullptr,
                          "OpenGL"};
    if (RegisterClassA(&windowClass) == 0) {
        return false;
    }
    window = CreateWindowExA(WS_EX_APPWINDOW,
                             "OpenGL",
                             "Services Probe",
                             WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                             0,
                             0,
                             640,
                             480,
                             nullptr,
                             nullptr,
                             module,
                             nullptr);
    if (window == nullptr || (deviceContext = GetDC(window)) == nullptr) {
        return false;
    }
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 16;
    request.cDepthBits = 16;
    const int format = ChoosePixelFormat(deviceContext, &request);
    if (format == 0 || !SetPixelFormat(deviceContext, format, &request) ||
        (glContext = wglCreateContext(deviceContext)) == nullptr ||
        !wglMakeCurrent(deviceContext, glContext)) {
        return false;
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return true;
}

void CloseWindow() {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(glContext);
    ReleaseDC(window, deviceContext);
    DestroyWindow(window);
    UnregisterClassA("OpenGL", module);
}

void Print(GLuint base, double x, double y, const char* text) {
    glRasterPos2d(x, y);
    glPushAttrib(GL_LIST_BIT);
    glListBase(base - 32);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

int ShowText() {
    const GLuint base = glGenLists(96);
    HFONT font = CreateFontA(-20,
                             0,
                             0,
                             0,
                             FW_BOLD,
                             FALSE,
                             FALSE,
                             FALSE,
                             ANSI_CHARSET,
                             OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY,
                             FF_DONTCARE | DEFAULT_PITCH,
                             "Courier New");
    SelectObject(deviceContext, font);
    if (!wglUseFontBitmapsA(deviceContext, 32, 96, base)) {
        std::printf("no font lists\n");
        return 5;
    }
    // The lists stay usable once the font object is gone.
    DeleteObject(font);
    const auto start = std::chrono::steady_clock::now();
    bool reported = false;
    while (!closing && std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        Print(base, 100, 200, "MMMM");
        Print(base, 100, 300, "\x7f M");
        SwapBuffers(deviceContext);
        if (!reported) {
            std::printf("drawn\n");
            std::fflush(stdout);
            reported = true;
        }
    }
    glDeleteLists(base, 96);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool box = mode == "box" && argc >= 5;
    if (mode != "text" && !box) {
        return 2;
    }
    const bool needsWindow = mode == "text" || (argc > 5 && std::strcmp(argv[5], "owned") == 0);
    if (needsWindow && !OpenWindow()) {
        std::printf("window failed\n");
        return 5;
    }
    int result = 0;
    if (box) {
        const UINT type = std::strcmp(argv[3], "yesno") == 0 ? MB_YESNO | MB_ICONWARNING : MB_OK;
        std::printf("answer %d\n",
                    MessageBoxA(needsWindow ? window : nullptr, argv[4], argv[2], type));
    } else {
        result = ShowText();
    }
    std::fflush(stdout);
    if (needsWindow) {
        CloseWindow();
    }
    return result;
}
