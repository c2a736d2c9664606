// The SDL window layer on a real X server: opening windowed and fullscreen,
// the 640 by 480 view, toggling, keys as virtual-key codes, system keys and
// the ways a window is closed. The probe program reports what its window
// procedure sees (see window_probe.cpp).
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "stage.h"
#include "xkit.h"

namespace {

using xkit::Millis;
using xkit::Program;
using xkit::Rgb;
using xkit::XServer;

const std::string kProbe = WINDOW_PROBE;
const std::string kWorkDir = WINDOW_TEST_DIR;
const std::string kTitle = "Window Probe";

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kWhite{255, 255, 255};

// Checks the four quadrants of the probe's picture in a window of the given
// client size at (0, 0): red top-left, green top-right, blue bottom-left,
// white bottom-right.
void ExpectQuadrants(XServer& x, int width, int height) {
    const int left = width / 4;
    const int right = width * 3 / 4;
    const int top = height / 4;
    const int bottom = height * 3 / 4;
    EXPECT_TRUE(x.WaitForPixel(left, top, kRed)) << width << "x" << height;
    EXPECT_TRUE(x.WaitForPixel(right, top, kGreen)) << width << "x" << height;
    EXPECT_TRUE(x.WaitForPixel(left, bottom, kBlue)) << width << "x" << height;
    EXPECT_TRUE(x.WaitForPixel(right, bottom, kWhite)) << width << "x" << height;
    // The edges belong to the picture too: no border, no offset.
    EXPECT_TRUE(x.WaitForPixel(1, 1, kRed));
    EXPECT_TRUE(x.WaitForPixel(width - 2, height - 2, kWhite));
}

void ExpectWindowAt(XServer& x, int width, int height) {
    XWindowId window = x.FindWindow(kTitle);
    ASSERT_NE(window, 0u);
    auto geometry = x.WindowGeometry(window);
    ASSERT_TRUE(geometry.has_value());
    EXPECT_EQ(geometry->x, 0);
    EXPECT_EQ(geometry->y, 0);
    EXPECT_EQ(geometry->width, width);
    EXPECT_EQ(geometry->height, height);
}

// Opens the probe on a screen of the given size and expects a 640 by 480
// client area at the top-left corner, showing the four quadrants.
void ExpectOpensAtTopLeft(int screenWidth, int screenHeight, bool fullscreen) {
    XServer x(screenWidth, screenHeight);
    ASSERT_TRUE(x.Ok());
    std::vector<std::string> args;
    if (fullscreen) args.push_back("--fullscreen");
    Program probe(x, kProbe, args, kWorkDir);
    // Showing the window activates it and reports its client size.
    EXPECT_TRUE(probe.WaitForLine("activate 1 0"));
    EXPECT_TRUE(probe.WaitForLine("size 640 480"));
    ASSERT_TRUE(probe.WaitForLine(fullscreen ? "opened fullscreen=1" : "opened fullscreen=0"));
    ASSERT_TRUE(probe.WaitForLine("drawn"));
    ExpectWindowAt(x, 640, 480);
    ExpectQuadrants(x, 640, 480);
}

TEST(RealWindow, WindowedOpensWithClient640By480AtTopLeft) {
    ExpectOpensAtTopLeft(1024, 768, false);
}

TEST(RealWindow, FullscreenOnAScreenOffering640By480) { ExpectOpensAtTopLeft(640, 480, true); }

TEST(RealWindow, FullscreenRefusedWithoutAnExact640By480Mode) {
    // The screen's only mode is larger: a closest-mode change must not count.
    XServer x(1024, 768);
    ASSERT_TRUE(x.Ok());
    Program probe(x, kProbe, {"--fullscreen"}, kWorkDir);
    EXPECT_EQ(probe.WaitExit(Millis(10000)), 4);
    EXPECT_EQ(probe.CountLines("mode refused"), 1);
    EXPECT_EQ(x.FindWindow(kTitle, Millis(0)), 0u);
}

TEST(RealWindow, PictureStretchesWithTheWindow) {
    XServer x(1024, 768);
    ASSERT_TRUE(x.Ok());
    Program probe(x, kProbe, {}, kWorkDir);
    ASSERT_TRUE(probe.WaitForLine("drawn"));
    XWindowId window = x.FindWindow(kTitle);
    ASSERT_NE(window, 0u);
    const std::pair<int, int> sizes[] = {{1000, 700}, {320, 240}, {640, 100}};
    for (auto [width, height] : sizes) {
        x.Resize(window, width, height);
        ASSERT_TRUE(
            probe.WaitForLine("size " + std::to_string(width) + " " + std::to_string(height)));
        ExpectQuadrants(x, width, height);
    }
}

TEST(RealWindow, TogglesBackAndForthWithoutGrowing) {
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    // Without the sanitizer's quarantine of freed blocks, resident memory
    // shows what a toggle keeps.
    Program probe(x, kProbe, {}, kWorkDir, {"ASAN_OPTIONS=quarantine_size_mb=0"});
    ASSERT_TRUE(probe.WaitForLine("drawn"));
    constexpr int kToggles = 40;
    int windowsAfterTwo = 0;
    // F1 acts in a frame that sees it down, so it is held until the toggle
    // has happened; a quick tap can go down and up between two frames.
    x.SetAutoRepeat(false);
    for (int i = 1; i <= kToggles; ++i) {
        ASSERT_TRUE(x.PressKey(XK_F1));
        const std::string mode = i % 2 == 1 ? "fullscreen=1" : "fullscreen=0";
        ASSERT_TRUE(probe.WaitForLine("opened " + mode, Millis(10000)))
            << "toggle " << i << "; last output: " << xkit::Tail(probe.Lines());
        ASSERT_TRUE(x.ReleaseKey(XK_F1));
        ASSERT_TRUE(probe.WaitForLine("drawn", Millis(10000))) << "toggle " << i;
        if (i == 2) {
            windowsAfterTwo = x.CountWindows();
        }
    }
    ExpectWindowAt(x, 640, 480);
    ExpectQuadrants(x, 640, 480);
    // No window or surface is left behind by a toggle.
    EXPECT_EQ(x.CountWindows(), windowsAfterTwo);
    // Resident memory after the first ten toggles and after all of them: a
    // leaked GL context costs megabytes per toggle.
    const std::vector<long> resident = xkit::NumbersAfter(probe.Lines(), "rss ");
    ASSERT_EQ(resident.size(), static_cast<std::size_t>(kToggles + 1));
    EXPECT_LT(resident[kToggles] - resident[10], 4 * 1024)
        << "kB after toggle 10: " << resident[10] << ", after toggle 40: " << resident[kToggles];
    // A clean end; in sanitizer builds this is also the leak check.
    probe.Signal(SIGTERM);
    EXPECT_EQ(probe.WaitExit(Millis(10000)), 0);
}

TEST(RealWindow, MinimizedWindowIsInactiveUntilRestored) {
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    Program probe(x, kProbe, {}, kWorkDir);
    ASSERT_TRUE(probe.WaitForLine("drawn"));
    XWindowId window = x.FindWindow(kTitle);
    ASSERT_NE(window, 0u);
    x.Iconify(window);
    EXPECT_TRUE(probe.WaitForLine("activate 0 1"));
    x.Restore(window);
    EXPECT_TRUE(probe.WaitForLine("activate 1 0"));
    // Back at its full size, not at the size of a minimized window.
    EXPECT_TRUE(probe.WaitForLine("size 640 480"));
    ExpectQuadrants(x, 640, 480);
}

struct KeyCase {
    XKeySym keysym;
    int virtualKey;
};

TEST(RealWindow, KeysSetAndClearTheirVirtualKeyEntries) {
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    Program probe(x, kProbe, {}, kWorkDir);
    ASSERT_TRUE(probe.WaitForLine("drawn"));
    const KeyCase cases[] = {
        {XK_a, 'A'},
        {XK_w, 'W'},
        {XK_p, 'P'},
        {XK_1, '1'},
        {XK_0, '0'},
        {XK_KP_1, 0x61},
        {XK_Up, 38},
        {XK_Down, 40},
        {XK_Left, 37},
        {XK_Right, 39},
        {XK_Return, 13},
        {XK_Escape, 27},
        {XK_space, 32},
        {XK_F2, 113},
    };
    for (const KeyCase& c : cases) {
        const std::string code = std::to_string(c.virtualKey);
        ASSERT_TRUE(x.TapKey(c.keysym));
        EXPECT_TRUE(probe.WaitForLine("keydown " + code + " repeat=0")) << code;
        EXPECT_TRUE(probe.WaitForLine("key " + code + " 1")) << code;
        EXPECT_TRUE(probe.WaitForLine("keyup " + code)) << code;
        EXPECT_TRUE(probe.WaitForLine("key " + code + " 0")) << code;
    }
}

TEST(RealWindow, HeldKeyRepeatsKeyDowns) {
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    Program probe(x, kProbe, {}, kWorkDir);
    ASSERT_TRUE(probe.WaitForLine("drawn"));
    ASSERT_TRUE(x.PressKey(XK_Right));
    std::this_thread::sleep_for(Millis(1200));
    ASSERT_TRUE(x.ReleaseKey(XK_Right));
    ASSERT_TRUE(probe.WaitForLine("key 39 0"));
    EXPECT_EQ(probe.CountLines("keydown 39 repeat=0"), 1);
    EXPECT_GE(probe.CountLines("keydown 39 repeat=1"), 3);
    EXPECT_EQ(probe.CountLines("keyup 39"), 1);
}

TEST(RealWindow, AltCombinationsAndF10AreSystemKeys) {
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    Program probe(x, kProbe, {}, kWorkDir);
    ASSERT_TRUE(probe.WaitForLine("drawn"));

    ASSERT_TRUE(x.PressKey(XK_Alt_L));
    ASSERT_TRUE(x.TapKey(XK_a));
    ASSERT_TRUE(x.TapKey(XK_Return));
    ASSERT_TRUE(x.ReleaseKey(XK_Alt_L));
    EXPECT_TRUE(probe.WaitForLine("syskeydown 18"));
    EXPECT_TRUE(probe.WaitForLine("syskeydown 65"));
    EXPECT_TRUE(probe.WaitForLine("syskeyup 65"));
    EXPECT_TRUE(probe.WaitForLine("syskeydown 13"));
    EXPECT_TRUE(probe.WaitForLine("syskeyup 18"));
    ASSERT_TRUE(x.TapKey(XK_F10));
    EXPECT_TRUE(probe.WaitForLine("syskeyup 121"));

    // A key pressed before Alt is released as it was pressed: it must not
    // stay down in the key table.
    ASSERT_TRUE(x.PressKey(XK_d));
    ASSERT_TRUE(probe.WaitForLine("key 68 1"));
    ASSERT_TRUE(x.PressKey(XK_Alt_L));
    ASSERT_TRUE(x.ReleaseKey(XK_d));
    ASSERT_TRUE(x.ReleaseKey(XK_Alt_L));
    EXPECT_TRUE(probe.WaitForLine("key 68 0"));

    for (const char* never :
         {"key 18 1", "key 65 1", "key 13 1", "key 121 1", "keydown 121 repeat"}) {
        EXPECT_EQ(probe.CountLines(never), 0) << never;
    }
}

TEST(RealWindow, AltF4ClosesWithoutAWindowManager) {
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    Program probe(x, kProbe, {}, kWorkDir);
    ASSERT_TRUE(probe.WaitForLine("drawn"));
    ASSERT_TRUE(x.PressKey(XK_Alt_L));
    ASSERT_TRUE(x.TapKey(XK_F4));
    ASSERT_TRUE(x.ReleaseKey(XK_Alt_L));
    EXPECT_EQ(probe.WaitExit(Millis(5000)), 0);
    EXPECT_EQ(probe.CountLines("key 115 1"), 0);
    EXPECT_EQ(probe.CountLines("closed"), 1);
}

TEST(RealWindow, SignalsAndCloseRequestsCloseTheWindow) {
    enum class How { Terminate, Interrupt, WindowManager };
    for (How how : {How::Terminate, How::Interrupt, How::WindowManager}) {
        SCOPED_TRACE(static_cast<int>(how));
        XServer x(640, 480);
        ASSERT_TRUE(x.Ok());
        Program probe(x, kProbe, {"--fullscreen"}, kWorkDir);
        ASSERT_TRUE(probe.WaitForLine("drawn"));
        switch (how) {
            case How::Terminate: probe.Signal(SIGTERM); break;
            case How::Interrupt: probe.Signal(SIGINT); break;
            case How::WindowManager: x.RequestClose(x.FindWindow(kTitle)); break;
        }
        // Closed the regular way: the window procedure saw the close.
        EXPECT_EQ(probe.WaitExit(Millis(15000)), 0);
        EXPECT_EQ(probe.CountLines("close"), 2);  // "close" and "closed"
    }
}

TEST(RealWindow, MouseMotionDoesNotHoldKeysBack) {
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    Program probe(x, kProbe, {"--slow"}, kWorkDir);
    ASSERT_TRUE(probe.WaitForLine("drawn"));
    for (int i = 0; i < 200; ++i) {
        x.MovePointer(100 + i, 100 + i % 50);
    }
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(x.TapKey(XK_s));
    ASSERT_TRUE(probe.WaitForLine("keydown 83", Millis(3000)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, Millis(1000));
}

TEST(RealWindow, RegistrationFailsWithoutADisplay) {
    const std::vector<std::string> environments[] = {
        {},                             // no DISPLAY at all
        {"DISPLAY=:9999"},              // a display that does not answer
        {"SDL_VIDEODRIVER=offscreen"},  // drivers that show nothing
        {"SDL_VIDEODRIVER=dummy"},
    };
    for (const auto& env : environments) {
        SCOPED_TRACE(env.empty() ? "no DISPLAY" : env.front());
        Program probe(kProbe, {}, kWorkDir, env);
        EXPECT_EQ(probe.WaitExit(Millis(10000)), 3);
        EXPECT_EQ(probe.CountLines("register failed"), 1);
    }
}

}  // namespace
