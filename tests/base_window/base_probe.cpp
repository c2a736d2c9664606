// A small program on the window and GL base, for the real-window tests: it
// opens its window through OpenGlWindow with the picture list given on the
// command line, draws each picture as one textured quad in the rectangle
// given with it and a line of text below them, toggles fullscreen on F1
// through ToggleFullscreen and reports on standard output:
//   opened fullscreen=F         after each window opening
//   drawn                       after the first frame of each window
//   rss KB                      resident memory after each opening
//   open failed                 OpenGlWindow or a toggle gave up (exit code 0)
//   closed                      the window was closed, after the last frame
// Arguments: [--fullscreen] PATH@LEFT,TOP,RIGHT,BOTTOM ...
//   the pictures in list order, each with its rectangle in the 640 by 480
//   view; a PATH without a rectangle is loaded but not drawn.
// Or: box CAPTION warning|plain TEXT
//   shows one message box as the base shows its errors (warning) or as the
//   BMP reader does (plain), to have a picture of a box with a known text.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/gl_state.h"
#include "base/gl_window.h"
#include "base/message.h"
#include "platform/platform.h"
#include "resident_memory.h"

namespace {

constexpr const char* kTitle = "Base Probe";
constexpr const char* kText = "Trevla 0123456789 %d";

struct Placed {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    bool drawn = false;
};

std::vector<std::string> paths;
std::vector<const char*> list;
std::vector<Placed> places;

// "PATH@L,T,R,B" or a bare "PATH".
void AddPicture(const std::string& argument) {
    Placed place;
    std::string path = argument;
    const std::size_t at = argument.rfind('@');
    if (at != std::string::npos && std::sscanf(argument.c_str() + at + 1,
                                               "%f,%f,%f,%f",
                                               &place.left,
                                               &place.top,
                                               &place.right,
                                               &place.bottom) == 4) {
        path = argument.substr(0, at);
        place.drawn = true;
    }
    paths.push_back(path);
    places.push_back(place);
}

void ReportOpened() {
    std::printf("opened fullscreen=%d\n", glWindow.fullscreen ? 1 : 0);
    std::printf("rss %ld\n", ResidentKb());
}

// The corners in the order every picture of the programs is drawn.
void Picture(GLuint texture, const Placed& place) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(place.left, place.bottom, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(place.right, place.bottom, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(place.right, place.top, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(place.left, place.top, 0.0f);
    glEnd();
}

void Draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (places[i].drawn) Picture(TextureTable[i], places[i]);
    }
    glRasterPos2d(8, 460);
    PrintText(kText, 42);
}

int ShowBox(const char* caption, const char* kind, const char* text) {
    int answer = 0;
    if (std::strcmp(kind, "plain") == 0) {
        answer = MessageBoxA(nullptr, text, caption, MB_OK);
    } else {
        answer = ShowMessage(text, caption, MessageKind::Warning);
    }
    std::printf("answer %d\n", answer);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc == 5 && std::strcmp(argv[1], "box") == 0) return ShowBox(argv[2], argv[3], argv[4]);

    bool fullscreen = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fullscreen") == 0) {
            fullscreen = true;
        } else {
            AddPicture(argv[i]);
        }
    }
    for (const std::string& path : paths) list.push_back(path.c_str());
    UseTextureList(list);

    if (!OpenGlWindow(kTitle, 640, 480, 16, fullscreen)) {
        std::printf("open failed\n");
        return 0;
    }
    ReportOpened();
    bool drawn = false;
    MSG message{};
    while (true) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        if (windowActive) {
            Draw();
            SwapBuffers(glWindow.deviceContext);
            if (!drawn) {
                glFinish();
                std::printf("drawn\n");
                drawn = true;
            }
        }
        if (KeyState[VK_F1]) {
            if (!ToggleFullscreen()) {
                std::printf("open failed\n");
                return 0;
            }
            ReportOpened();
            drawn = false;
        }
    }
    DeleteFontLists();
    CloseGlWindow();
    std::printf("closed\n");
    return static_cast<int>(message.wParam);
}
