// The font lists and the message boxes on a real X server (see
// services_probe.cpp for what the probe draws and reports).
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <string>

#include "xkit.h"

namespace {

using xkit::Millis;
using xkit::Program;
using xkit::XServer;

const std::string kProbe = SERVICES_PROBE;
const std::string kWorkDir = SERVICES_TEST_DIR;

struct Box {
    int left = 100000;
    int top = 100000;
    int right = -1;
    int bottom = -1;
    bool Empty() const { return right < 0; }
};

// The extent of the lit pixels within a part of the screen.
Box LitPixels(const xkit::Screenshot& shot, int left, int top, int right, int bottom) {
    Box lit;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const xkit::Rgb c = shot.At(x, y);
            if (c.r > 128 && c.g > 128 && c.b > 128) {
                lit.left = std::min(lit.left, x);
                lit.right = std::max(lit.right, x);
                lit.top = std::min(lit.top, y);
                lit.bottom = std::max(lit.bottom, y);
            }
        }
    }
    return lit;
}

TEST(RealFont, GlyphsSitOnTheBaselineAndAdvanceTheRasterPosition) {
    XServer x;
    ASSERT_TRUE(x.Ok());
    Program probe(x, kProbe, {"text"}, kWorkDir);
    ASSERT_TRUE(probe.WaitForLine("drawn", Millis(15000)));
    // The left stem of the first 'M' (its bitmap starts one pixel right of
    // the pen) shows once a frame has reached the screen.
    ASSERT_TRUE(x.WaitForPixel(101, 195, xkit::Rgb{255, 255, 255}, Millis(10000)));
    const xkit::Screenshot shot = x.Grab();

    // "MMMM" from (100, 200): four capitals of about 13 rows standing on the
    // baseline, the last one ending about 4 x 12 pixels on.
    const Box line = LitPixels(shot, 60, 150, 260, 250);
    ASSERT_FALSE(line.Empty());
    EXPECT_GE(line.left, 100);
    EXPECT_LE(line.left, 103);
    EXPECT_GE(line.right, 140);
    EXPECT_LE(line.right, 148);
    EXPECT_GE(line.bottom, 198);
    EXPECT_LE(line.bottom, 200);
    EXPECT_GE(line.bottom - line.top + 1, 11);
    EXPECT_LE(line.bottom - line.top + 1, 16);

    // "\x7f M": a code without a glyph and a space advance without drawing.
    const Box second = LitPixels(shot, 60, 250, 260, 350);
    ASSERT_FALSE(second.Empty());
    constexpr int kPitch = 12;  // 0.6 of the character height
    EXPECT_GE(second.left, 100 + 2 * kPitch);
    EXPECT_LE(second.right, 100 + 3 * kPitch);
    probe.Signal(SIGKILL);
}

struct BoxAnswer {
    const char* type;
    XKeySym key;
    bool owned;
    int answer;
};

TEST(RealMessageBox, ReturnAndEscapeAnswerTheBoxFoundByItsCaption) {
    const BoxAnswer cases[] = {
        {"ok", XK_Return, false, 1},     // IDOK
        {"yesno", XK_Return, false, 6},  // IDYES
        {"yesno", XK_Escape, false, 7},  // IDNO
        {"yesno", XK_Return, true, 6},   // owned by a GL window
    };
    XServer x;
    ASSERT_TRUE(x.Ok());
    for (const BoxAnswer& box : cases) {
        SCOPED_TRACE(testing::Message() << box.type << (box.owned ? " owned" : ""));
        std::vector<std::string> args = {
            "box", "Start FullScreen?", box.type, "Run in fullscreen?"};
        if (box.owned) {
            args.push_back("owned");
        }
        Program probe(x, kProbe, args, kWorkDir);
        ASSERT_TRUE(x.AnswerWindow("Start FullScreen?", box.key, Millis(15000)));
        EXPECT_TRUE(probe.WaitForLine("answer " + std::to_string(box.answer), Millis(5000)));
        EXPECT_EQ(probe.WaitExit(Millis(5000)), 0);
    }
}

// The editor's help text has CR LF line breaks: every line shows as a line.
TEST(RealMessageBox, MultiLineTextsShowEveryLine) {
    XServer x;
    ASSERT_TRUE(x.Ok());
    auto boxHeight = [&x](const std::string& text) {
        Program probe(x, kProbe, {"box", "Help", "ok", text}, kWorkDir);
        const XWindowId window = x.FindWindow("Help", Millis(15000));
        const auto geometry = window != 0 ? x.WindowGeometry(window) : std::nullopt;
        x.AnswerWindow("Help", XK_Return);
        probe.WaitExit(Millis(5000));
        return geometry ? geometry->height : 0;
    };
    const int one = boxHeight("KEY : FUNCTION");
    const int eight = boxHeight(
        "KEY : FUNCTION\r\n\nSPACE   switch\r\nN       new map\r\nL        load map\r\n"
        "S       save map\r\nF1      change to fullscreen\r\nESC   quit");
    ASSERT_GT(one, 0);
    EXPECT_GE(eight - one, 7 * 10);  // seven more lines of at least 10 pixels
}

}  // namespace
