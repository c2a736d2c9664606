// A small program on the platform layer alone, for the real-window tests: it
// opens a GL window the way the programs do, draws four known quadrants in the
// 640 by 480 view (red top-left, green top-right, blue bottom-left, white
// bottom-right), toggles fullscreen on F1 and reports on standard output what
// its window procedure sees:
//   opened fullscreen=F client=WxH    after each window opening
//   drawn                             after the first frame of each window
//   keydown VK repeat=R / keyup VK    key messages
//   key VK 1 / key VK 0               changes of its key table
//   syskeydown VK / syskeyup VK       system-key messages
//   size W H / activate LOW HIGH      size and activation messages
//   close / closed                    close request, window released
//   rss KB                            resident memory after each opening
// Arguments: --fullscreen starts fullscreen; --slow spends 50 ms per frame.
// Exit codes: 0 closed, 3 class registration failed, 4 display mode refused,
// 5 window or GL set-up failed.
#include <GL/gl.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "resident_memory.h"

namespace {

HINSTANCE module = nullptr;
HWND window = nullptr;
HDC deviceContext = nullptr;
HGLRC glContext = nullptr;
bool fullscreen = false;
std::array<unsigned char, 256> keys{};

void View(int width, int height) {
    glViewport(0, 0, width, height == 0 ? 1 : height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void SetKey(WPARAM code, unsigned char down) {
    if (code < keys.size() && keys[code] != down) {
        keys[code] = down;
        std::printf("key %u %u\n", static_cast<unsigned>(code), down);
    }
}

LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            std::printf("activate %u %u\n",
                        static_cast<unsigned>(wParam & 0xFFFF),
                        static_cast<unsigned>((wParam >> 16) & 0xFFFF));
            return 0;
        case WM_CLOSE:
            std::printf("close\n");
            PostQuitMessage(0);
            return 0;
        case WM_KEYDOWN:
            std::printf("keydown %u repeat=%d\n",
                        static_cast<unsigned>(wParam),
                        (lParam >> 30) & 1 ? 1 : 0);
            SetKey(wParam, 1);
            return 0;
        case WM_KEYUP:
            std::printf("keyup %u\n", static_cast<unsigned>(wParam));
            SetKey(wParam, 0);
            return 0;
        case WM_SYSKEYDOWN: std::printf("syskeydown %u\n", static_cast<unsigned>(wParam)); break;
        case WM_SYSKEYUP: std::printf("syskeyup %u\n", static_cast<unsigned>(wParam)); break;
        case WM_SIZE:
            std::printf("size %u %u\n",
                        static_cast<unsigned>(lParam & 0xFFFF),
                        static_cast<unsigned>((lParam >> 16) & 0xFFFF));
            View(static_cast<int>(lParam & 0xFFFF), static_cast<int>((lParam >> 16) & 0xFFFF));
            return 0;
        default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void CloseWindow() {
    if (fullscreen) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
    }
    if (glContext != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(glContext);
        glContext = nullptr;
    }
    if (deviceContext != nullptr) {
        ReleaseDC(window, deviceContext);
        deviceContext = nullptr;
    }
    if (window != nullptr) {
        DestroyWindow(window);
        window = nullptr;
    }
    UnregisterClassA("OpenGL", module);
}

int OpenWindow() {
    module = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{CS_HREDRAW | CS_VREDRAW | CS_OWNDC,
                          Procedure,
                          0,
                          0,
                          module,
                          LoadIconA(nullptr, IDI_WINLOGO),
                          LoadCursorA(nullptr, IDC_ARROW),
                          nullptr,
                          nullptr,
                          "OpenGL"};
    if (RegisterClassA(&windowClass) == 0) {
        std::printf("register failed\n");
        return 3;
    }
    if (fullscreen) {
        DEVMODEA mode{sizeof(DEVMODEA), DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT, 16, 640, 480};
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
            std::printf("mode refused\n");
            UnregisterClassA("OpenGL", module);
            return 4;
        }
        ShowCursor(FALSE);
    }
    RECT rect{0, 0, 640, 480};
    DWORD style = fullscreen ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    DWORD exStyle = fullscreen ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    window = CreateWindowExA(exStyle,
                             "OpenGL",
                             "Window Probe",
                             style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                             0,
                             0,
                             rect.right - rect.left,
                             rect.bottom - rect.top,
                             nullptr,
                             nullptr,
                             module,
                             nullptr);
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 16;
    request.cDepthBits = 16;
    const char* failed = nullptr;
    int format = 0;
    if (window == nullptr) {
        failed = "window";
    } else if ((deviceContext = GetDC(window)) == nullptr) {
        failed = "dc";
    } else if ((format = ChoosePixelFormat(deviceContext, &request)) == 0) {
        failed = "choose";
    } else if (!SetPixelFormat(deviceContext, format, &request)) {
        failed = "set";
    } else if ((glContext = wglCreateContext(deviceContext)) == nullptr) {
        failed = "context";
    } else if (!wglMakeCurrent(deviceContext, glContext)) {
        failed = "current";
    }
    if (failed != nullptr) {
        CloseWindow();
        std::printf("open failed %s\n", failed);
        return 5;
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    View(640, 480);
    std::printf("opened fullscreen=%d client=%ldx%ld\n",
                fullscreen ? 1 : 0,
                static_cast<long>(rect.right - rect.left),
                static_cast<long>(rect.bottom - rect.top));
    std::printf("rss %ld\n", ResidentKb());
    return 0;
}

void Quad(float left, float top, float right, float bottom, GLubyte r, GLubyte g, GLubyte b) {
    glColor3ub(r, g, b);
    glBegin(GL_QUADS);
    glVertex2f(left, bottom);
    glVertex2f(right, bottom);
    glVertex2f(right, top);
    glVertex2f(left, top);
    glEnd();
}

void Draw() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Quad(0, 0, 320, 240, 255, 0, 0);
    Quad(320, 0, 640, 240, 0, 255, 0);
    Quad(0, 240, 320, 480, 0, 0, 255);
    Quad(320, 240, 640, 480, 255, 255, 255);
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    bool slow = false;
    for (int i = 1; i < argc; ++i) {
        fullscreen = fullscreen || std::strcmp(argv[i], "--fullscreen") == 0;
        slow = slow || std::strcmp(argv[i], "--slow") == 0;
    }
    if (int failed = OpenWindow(); failed != 0) {
        return failed;
    }
    bool drawn = false;
    MSG msg{};
    while (true) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        Draw();
        SwapBuffers(deviceContext);
        if (!drawn) {
            glFinish();
            std::printf("drawn\n");
            drawn = true;
        }
        if (slow) {
            usleep(50000);
        }
        if (keys[VK_F1]) {
            keys[VK_F1] = 0;
            CloseWindow();
            fullscreen = !fullscreen;
            if (int failed = OpenWindow(); failed != 0) {
                return failed;
            }
            drawn = false;
        }
    }
    CloseWindow();
    std::printf("closed\n");
    return static_cast<int>(msg.wParam);
}
