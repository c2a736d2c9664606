// The window and GL base on a real X server: pictures of several BMP layouts
// drawn by the picture rule show upright and in their own colours, a missing
// or empty file of the picture list stops the start with its message boxes in
// order, and F1 rebuilds pictures and text again and again without the
// process growing. The probe reports what it does (see base_probe.cpp).
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "box_pictures.h"
#include "stage.h"
#include "xkit.h"

namespace {

namespace fs = std::filesystem;
using xkit::Is;
using xkit::Millis;
using xkit::Program;
using xkit::Rgb;
using xkit::Screenshot;
using xkit::XServer;

const std::string kProbe = BASE_PROBE;
const fs::path kBmpSuite = BMPSUITE_DIR;
const std::string kTitle = "Base Probe";
constexpr Rgb kWhite{255, 255, 255};

// The 5 by 4 picture: every pixel its own colour, no two alike when the
// channels are shifted, so a row read from the wrong offset shows.
constexpr int kOddWidth = 5;
constexpr int kOddHeight = 4;
// Drawn 9 times its size: an odd factor puts the centre pixel of each block
// on the centre of its texel, where the linear filter gives the texel itself.
constexpr int kOddScale = 9;
constexpr int kOddLeft = 200;
constexpr int kOddTop = 8;

Rgb OddColour(int x, int y) {
    return Rgb{static_cast<std::uint8_t>(30 + 50 * x),
               static_cast<std::uint8_t>(20 + 70 * y),
               static_cast<std::uint8_t>(230 - 40 * x - 10 * y)};
}

// A pixel of a picture as its file has it, (x, y) from the top-left corner.
struct Known {
    int x, y;
    Rgb colour;
};

// The bmpsuite pictures are 127 by 64 and drawn at their own size. The
// palette ones are dithered, so each pixel is checked as it is; their
// top-left is red, the bottom-right a greyish purple, the opposite corners
// dark and light blue-grey, so a flipped or mirrored picture fails.
const std::vector<Known> kPalettePixels = {
    {0, 0, {0xff, 0x00, 0x00}},
    {2, 0, {0xff, 0x2b, 0x00}},
    {4, 0, {0xff, 0x2b, 0x33}},
    {1, 2, {0xcc, 0x00, 0x00}},
    {126, 63, {0x66, 0x55, 0x66}},
    {126, 62, {0x66, 0x80, 0x99}},
    {125, 62, {0x33, 0x55, 0x66}},
    {121, 55, {0x66, 0x55, 0x99}},
};
const std::vector<Known> kRgb32Pixels = {
    {0, 0, {0xff, 0x00, 0x00}},
    {3, 2, {0xf7, 0x19, 0x19}},
    {126, 63, {0x60, 0x60, 0x7e}},
    {123, 61, {0x62, 0x62, 0x7d}},
    {126, 0, {0x9f, 0x9f, 0xbd}},
    {0, 63, {0x00, 0x00, 0x00}},
};

struct Shown {
    const char* file;  // under the bmpsuite's good files
    int left, top;     // where the probe draws it
    const std::vector<Known>* pixels;
};
const Shown kSuitePictures[] = {
    {"pal8.bmp", 8, 8, &kPalettePixels},
    {"pal8rle.bmp", 8, 88, &kPalettePixels},
    {"rgb32.bmp", 8, 168, &kRgb32Pixels},
};
constexpr int kSuiteWidth = 127;
constexpr int kSuiteHeight = 64;

// A large solid picture that is loaded with the others: a toggle that kept
// any of its copies would show in the resident memory.
constexpr int kLargeSide = 512;
constexpr Rgb kLargeColour{40, 200, 120};

// The probe's text line: "Trevla 0123456789 42" from (8, 460).
constexpr int kTextTop = 440;
constexpr int kTextBottom = 468;

std::string Rectangle(int left, int top, int width, int height) {
    return "@" + std::to_string(left) + "," + std::to_string(top) + "," +
           std::to_string(left + width) + "," + std::to_string(top + height);
}

// A working directory with the pictures under data/, and the probe's
// arguments that draw them.
struct PictureDir : xkit::TempDir {
    PictureDir() : TempDir("trevla-base-window") {
        if (Path().empty()) return;
        fs::create_directories(Path() / "data");
        for (const Shown& shown : kSuitePictures) {
            fs::copy_file(kBmpSuite / shown.file, Path() / "data" / shown.file);
        }
        std::vector<Rgb> odd;
        for (int y = 0; y < kOddHeight; ++y)
            for (int x = 0; x < kOddWidth; ++x) odd.push_back(OddColour(x, y));
        xkit::WriteBmp(Path() / "data/odd.bmp", kOddWidth, kOddHeight, odd);
        xkit::WriteBmp(Path() / "data/large.bmp",
                       kLargeSide,
                       kLargeSide,
                       std::vector<Rgb>(kLargeSide * kLargeSide, kLargeColour));
        std::ofstream(Path() / "data/empty.bmp");
    }

    static std::vector<std::string> Pictures() {
        std::vector<std::string> args;
        for (const Shown& shown : kSuitePictures) {
            args.push_back("data/" + std::string(shown.file) +
                           Rectangle(shown.left, shown.top, kSuiteWidth, kSuiteHeight));
        }
        args.push_back("data/odd.bmp" +
                       Rectangle(kOddLeft, kOddTop, kOddWidth * kOddScale, kOddHeight * kOddScale));
        args.push_back("data/large.bmp" + Rectangle(400, 100, 128, 128));
        return args;
    }
};

// Every known pixel of every picture where it shows on the screen (the
// window fills the 640 by 480 screen, so view and screen coincide).
struct ScreenPixel {
    std::string what;
    int x, y;
    Rgb colour;
};

std::vector<ScreenPixel> KnownScreenPixels() {
    std::vector<ScreenPixel> pixels;
    for (const Shown& shown : kSuitePictures) {
        for (const Known& known : *shown.pixels) {
            pixels.push_back({std::string(shown.file) + " pixel " + std::to_string(known.x) + "," +
                                  std::to_string(known.y),
                              shown.left + known.x,
                              shown.top + known.y,
                              known.colour});
        }
    }
    const int centre = kOddScale / 2;
    for (int y = 0; y < kOddHeight; ++y) {
        for (int x = 0; x < kOddWidth; ++x) {
            pixels.push_back(
                {"5 by 4 picture, pixel " + std::to_string(x) + "," + std::to_string(y),
                 kOddLeft + x * kOddScale + centre,
                 kOddTop + y * kOddScale + centre,
                 OddColour(x, y)});
        }
    }
    pixels.push_back({"large picture", 464, 164, kLargeColour});
    return pixels;
}

bool PicturesShow(const Screenshot& shot) {
    static const std::vector<ScreenPixel> pixels = KnownScreenPixels();
    return std::all_of(pixels.begin(), pixels.end(), [&](const ScreenPixel& p) {
        return Is(shot, p.x, p.y, p.colour);
    });
}

// The same check, reporting each pixel that is wrong.
void ExpectPictures(const Screenshot& shot) {
    for (const ScreenPixel& p : KnownScreenPixels()) {
        const Rgb seen = shot.At(p.x, p.y);
        EXPECT_TRUE(xkit::Near(seen, p.colour))
            << p.what << " is " << int(seen.r) << "," << int(seen.g) << "," << int(seen.b);
    }
}

TEST(BaseWindow, PicturesShowUprightInTheirOwnColours) {
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    PictureDir dir;
    Program probe(x, kProbe, PictureDir::Pictures(), dir.Path().string());
    ASSERT_TRUE(probe.WaitForLine("opened fullscreen=0", Millis(15000)));
    auto shot = xkit::WaitFor(x, PicturesShow);
    ExpectPictures(shot ? *shot : x.Grab());
    // The text is drawn untextured, in white.
    EXPECT_FALSE(xkit::ExtentOf(x.Grab(), kWhite, 0, kTextTop, 640, kTextBottom).Empty());
    x.RequestClose(x.FindWindow(kTitle));
    EXPECT_TRUE(probe.WaitForLine("closed"));
    EXPECT_EQ(probe.WaitExit(Millis(10000)), 0);
}

// --- Message boxes -----------------------------------------------------------

using boxes::Box;

// The probe's picture of a box with that caption and text.
std::optional<Screenshot> ReferencePicture(XServer& x, const fs::path& dir, const Box& box) {
    return boxes::ReferencePicture(x, kProbe, dir, box);
}

struct FailedStart {
    const char* name;
    std::vector<std::string> files;  // the picture list, in order
    std::vector<Box> boxes;          // what the user sees, in order
};

TEST(BaseWindow, ABadPictureFileStopsTheStartWithItsBoxesInOrder) {
    const Box loading{"ERROR", "warning", "Loading Textures failed."};
    const Box initialization{"ERROR", "warning", "Initialization Failed."};
    const FailedStart cases[] = {
        {"missing file",
         {"data/pal8.bmp", "data/missing.bmp", "data/rgb32.bmp"},
         {loading, initialization}},
        {"zero-byte file",
         {"data/pal8.bmp", "data/empty.bmp", "data/rgb32.bmp"},
         {{"Error", "plain", "Failed to open DIB file data/empty.bmp.\n"},
          loading,
          initialization}},
    };
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    PictureDir dir;

    // One reference picture per box text, told apart from each other.
    std::vector<std::pair<std::string, Screenshot>> references;
    for (const Box* box : {&cases[1].boxes[0], &loading, &initialization}) {
        auto picture = ReferencePicture(x, dir.Path(), *box);
        ASSERT_TRUE(picture.has_value()) << "reference box \"" << box->text << "\"";
        references.emplace_back(box->text, *picture);
    }
    ASSERT_FALSE(boxes::SamePicture(references[1].second, references[2].second))
        << "the texts must show in the pictures";
    auto referenceOf = [&](const Box& box) -> const Screenshot& {
        for (const auto& [text, picture] : references)
            if (text == box.text) return picture;
        return references[0].second;
    };

    for (const FailedStart& start : cases) {
        SCOPED_TRACE(start.name);
        Program probe(x, kProbe, start.files, dir.Path().string());
        XWindowId previous = 0;
        for (std::size_t i = 0; i < start.boxes.size(); ++i) {
            const Box& box = start.boxes[i];
            SCOPED_TRACE("box " + std::to_string(i + 1) + ": " + box.text);
            const XWindowId window = boxes::NextBox(x, box.caption, previous);
            ASSERT_NE(window, 0u);
            // The window is gone before the last box shows; until then the
            // probe waits in its window opening.
            EXPECT_EQ(probe.CountLines("open failed"), 0);
            if (i + 1 == start.boxes.size()) {
                EXPECT_EQ(x.FindWindow(kTitle, Millis(0)), 0u) << "the window is closed first";
            }
            const Screenshot& reference = referenceOf(box);
            const std::optional<Screenshot> seen = boxes::WaitForPicture(x, window, reference);
            ASSERT_TRUE(seen.has_value());
            EXPECT_TRUE(boxes::SamePicture(*seen, reference))
                << "box of " << seen->width << "x" << seen->height << ", expected "
                << reference.width << "x" << reference.height;
            boxes::Answer(x, window);
            previous = window;
        }
        EXPECT_TRUE(probe.WaitForLine("open failed"));
        EXPECT_EQ(probe.WaitExit(Millis(10000)), 0);
        EXPECT_EQ(probe.CountLines("opened"), 0);
    }
}

// --- Fullscreen toggles ------------------------------------------------------

TEST(BaseWindow, F1RebuildsPicturesAndTextWithoutGrowing) {
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    PictureDir dir;
    // Without the sanitizer's quarantine of freed blocks, resident memory
    // shows what a toggle keeps.
    Program probe(x,
                  kProbe,
                  PictureDir::Pictures(),
                  dir.Path().string(),
                  {"ASAN_OPTIONS=quarantine_size_mb=0"});
    ASSERT_TRUE(probe.WaitForLine("opened fullscreen=0", Millis(15000)));
    auto first = xkit::WaitFor(x, PicturesShow);
    ASSERT_TRUE(first.has_value());
    const Screenshot text = xkit::Crop(*first, 0, kTextTop, 640, kTextBottom - kTextTop);
    ASSERT_FALSE(xkit::ExtentOf(text, kWhite, 0, 0, text.width, text.height).Empty());

    constexpr int kToggles = 30;
    // F1 acts in a frame that sees it down: it is held until the toggle has
    // happened, and without auto-repeat a held key toggles once.
    x.SetAutoRepeat(false);
    for (int i = 1; i <= kToggles; ++i) {
        ASSERT_TRUE(x.PressKey(XK_F1));
        const std::string mode = i % 2 == 1 ? "fullscreen=1" : "fullscreen=0";
        ASSERT_TRUE(probe.WaitForLine("opened " + mode, Millis(10000)))
            << "toggle " << i << "; last output: " << xkit::Tail(probe.Lines());
        ASSERT_TRUE(x.ReleaseKey(XK_F1));
        ASSERT_TRUE(probe.WaitForLine("drawn", Millis(10000))) << "toggle " << i;
    }

    // The same pictures and the same text, pixel for pixel.
    auto last = xkit::WaitFor(x, [&](const Screenshot& shot) {
        return PicturesShow(shot) &&
               boxes::SamePicture(xkit::Crop(shot, 0, kTextTop, 640, kTextBottom - kTextTop), text);
    });
    ExpectPictures(last ? *last : x.Grab());
    EXPECT_TRUE(last.has_value()) << "the text differs after the toggles";

    // Resident memory after the first ten toggles and after all of them: it
    // settles within about 2 MB, while a picture kept per toggle costs 768 kB
    // (the large one) and a kept GL context megabytes.
    const std::vector<long> resident = xkit::NumbersAfter(probe.Lines(), "rss ");
    ASSERT_EQ(resident.size(), static_cast<std::size_t>(kToggles + 1));
    EXPECT_LT(resident[kToggles] - resident[10], 3 * 1024)
        << "kB after toggle 10: " << resident[10] << ", after toggle " << kToggles << ": "
        << resident[kToggles];
    // A clean end; in sanitizer builds this is also the leak check.
    probe.Signal(SIGTERM);
    EXPECT_TRUE(probe.WaitForLine("closed", Millis(10000)));
    EXPECT_EQ(probe.WaitExit(Millis(10000)), 0);
}

}  // namespace
