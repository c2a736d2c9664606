// A scriptable stand-in for the platform layer and for OpenGL, linked into
// tests in place of the SDL implementation and libGL. It runs whole program
// sessions deterministically without a display: a scripted message queue,
// scripted clock readings, scripted failures and message-box answers, and logs
// of every call, box, sound and drawn quad or text.
#pragma once

#include <GL/gl.h>

#include <array>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

// Platform operations whose failure can be scripted.
enum class Op {
    RegisterClassA,
    UnregisterClassA,
    ChangeDisplaySettingsA,  // only changes to a mode; the return to the desktop mode
    CreateWindowExA,
    DestroyWindow,
    GetDC,
    ReleaseDC,
    ChoosePixelFormat,
    SetPixelFormat,
    wglCreateContext,
    wglMakeCurrent,      // only calls that make a context current
    wglMakeCurrentNone,  // calls with no context (the release)
    wglDeleteContext,
    QueryPerformanceFrequency,  // fails: no performance counter
};

// Back to the start state: no failures, empty script and logs, clock at 0,
// performance counter at 1 MHz, no window, cursor counter 0.
void Reset();

// The next `count` calls of op fail (count < 0: every call from now on).
void FailNext(Op op, int count = 1);

// Every platform call in order, by its name ("CreateWindowExA",
// "wglMakeCurrent(null)", "ChangeDisplaySettingsA(null)", "ShowCursor(0)", ...).
const std::vector<std::string>& CallLog();
// How many times a name appears in CallLog().
int CallCount(const std::string& name);

// ---------------------------------------------------------------------------
// Message boxes

struct Box {
    std::string text;
    std::string caption;
    UINT type;   // MB_* flags as passed
    bool owned;  // an owner window was passed
    int answer;  // what MessageBoxA returned
};
// Answers to the next boxes, in order; without one a box answers IDOK, or
// IDYES for a Yes/No box.
void AnswerNextBox(int button);
const std::vector<Box>& Boxes();

// ---------------------------------------------------------------------------
// Sounds

struct Sound {
    std::string path;
    DWORD flags;     // SND_SYNC or SND_ASYNC (plus any other flags passed)
    double clockMs;  // fake clock when the call was made
};
const std::vector<Sound>& Sounds();
// A synchronous sound moves the fake clock on by this much (default 0).
void SetSyncSoundLengthMs(double ms);

// ---------------------------------------------------------------------------
// Clock: the performance counter runs at 1 MHz unless changed; timeGetTime
// gives the same clock in whole milliseconds plus a base.

void SetClockMs(double ms);
void AdvanceClockMs(double ms);
double ClockMs();
void SetPerformanceFrequency(LONGLONG countsPerSecond);
void SetTimeGetTimeBase(DWORD baseMs);  // timeGetTime() = base + whole ms (mod 2^32)

// ---------------------------------------------------------------------------
// The message script. PeekMessageA works through it in order:
// - a message entry is taken (removed) and returned, addressed to the current
//   window;
// - a frames entry makes the next n PeekMessageA calls find nothing, so the
//   program runs n frames;
// - a call entry runs its function and goes on with the next entry;
// - a clock entry sets the clock and goes on.
// When the script has run out, PeekMessageA delivers one WM_CLOSE to the
// window; a program still asking for messages 10000 calls after that aborts
// the test loudly rather than hang.

void PushMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void PushKeyDown(int vk);  // WM_KEYDOWN
void PushKeyUp(int vk);    // WM_KEYUP
void PushFrames(int n);
void PushCall(std::function<void()> fn);
void PushClockMs(double ms);
// WM_CLOSE to the window.
void PushClose();
bool ScriptEmpty();

// Frames run so far: calls of SwapBuffers.
int SwapCount();

// ---------------------------------------------------------------------------
// Window state seen by the fake

bool WindowExists();
bool WindowVisible();
bool WindowFullscreen();  // created with WS_POPUP while the display mode is changed
std::string WindowTitle();
int WindowWidth();  // outer size passed to CreateWindowExA
int WindowHeight();
int CursorCounter();        // ShowCursor's display counter
bool DisplayModeChanged();  // a mode change is in force
bool ContextCurrent();
bool ClassRegistered();
int WindowX();  // position passed to CreateWindowExA
int WindowY();
DWORD WindowStyle();  // styles passed to CreateWindowExA
DWORD WindowExStyle();
bool WindowFocused();  // the window has the keyboard focus
// The class as registered (its name copied), or all zero when none is.
WNDCLASSA RegisteredClass();
// The last mode record passed to ChangeDisplaySettingsA and its flags.
DEVMODEA LastDisplayMode();
DWORD LastDisplayModeFlags();
// The last request passed to ChoosePixelFormat.
PIXELFORMATDESCRIPTOR LastPixelFormatRequest();
// The last CreateFontA description.
struct FontRequest {
    int height, width, escapement, orientation, weight;
    DWORD italic, underline, strikeOut, charSet, outputPrecision, clipPrecision, quality,
        pitchAndFamily;
    std::string face;
};
const FontRequest& LastFont();

// ---------------------------------------------------------------------------
// OpenGL recorder. Drawing is recorded per frame: a frame's record starts
// empty after each SwapBuffers.

struct Vertex {
    float x, y, z;
    float s, t;  // texture coordinate given before the vertex
};
struct Quad {
    GLuint texture;  // bound 2D texture when glBegin(GL_QUADS) was called
    bool textured;   // GL_TEXTURE_2D enabled
    std::array<Vertex, 4> v;
};
struct Text {
    double x, y;       // raster position set before the text
    std::string text;  // characters drawn through the font lists
};
struct Frame {
    int clears = 0;  // glClear calls
    std::vector<Quad> quads;
    std::vector<Text> texts;
};

// What the frame being drawn holds so far, and the last frame swapped.
const Frame& CurrentFrame();
const Frame& LastFrame();

// Texture names alive, generated in all, and the size of each upload.
int TexturesAlive();
int TexturesGenerated();
struct Upload {
    GLuint texture;
    int width, height;
    int unpackAlignment;
};
const std::vector<Upload>& Uploads();

// GL_MAX_TEXTURE_SIZE of the fake context (2048 unless set).
void SetMaxTextureSize(GLint side);
// The next `count` glTexImage2D calls upload nothing and leave `error` for
// glGetError, as a driver does that cannot take the picture.
void FailNextUploads(GLenum error, int count = 1);
// A GL error left pending by some earlier call.
void SetPendingGlError(GLenum error);

// Display lists alive (font lists).
int ListsAlive();

// GL calls since the last SwapBuffers (or Reset), with their arguments, e.g.
// "glEnable(GL_TEXTURE_2D)", "glOrtho(0,640,480,0,-1,1)"; per-vertex calls
// (glVertex*, glTexCoord*, glColor*) are left out.
const std::vector<std::string>& GlLog();
GLint UnpackAlignment();
GLuint ListBase();
GLenum MatrixMode();
GLuint BoundTexture();
GLenum HintMode(GLenum target);  // GL_DONT_CARE unless set
std::array<float, 4> CurrentColor();

// GL state as last set.
bool GlEnabled(GLenum cap);
GLenum DepthFunc();
GLenum ShadeModel();
std::array<float, 4> ClearColor();
double ClearDepth();
std::array<int, 4> Viewport();
std::array<double, 6> Ortho();  // left, right, bottom, top, near, far of the last glOrtho

// ---------------------------------------------------------------------------
// Files. The fake's DIB reader (auxDIBImageLoadA) decodes nothing: a missing
// or zero-byte file shows the reader's box "Failed to open DIB file <path>.\n"
// (caption "Error"), a file that begins with "BAD" shows "Unknown DIB file
// format.", a file that begins with "SIZE <w> <h>" reads as a w by h grey
// picture, and any other file reads as a 4 by 4 grey picture.

// Makes a fresh empty temporary directory the working directory and returns
// its path (removed again by the next call or at exit).
std::string EnterTempDir();
// Writes a placeholder picture file at each relative path, with directories.
void StagePictures(const std::vector<std::string>& paths);
// Writes a file with the given bytes at a relative path, with directories.
void WriteFile(const std::string& path, const std::string& bytes);
// The paths passed to auxDIBImageLoadA, in order.
const std::vector<std::string>& DibPaths();

}  // namespace fake
