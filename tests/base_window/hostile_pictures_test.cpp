// Both programs on a real X server with an unusual picture in their list, in
// place of one of their own: pictures that other tools write and large ones
// within the limits load and show upright; a picture too large for a texture,
// a file that is no picture and a link to a device stop the start with the
// reader's box, then "Loading Textures failed." and "Initialization
// Failed.", and exit code 0. Each box is told by its picture (box_pictures.h).
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "box_pictures.h"
#include "programs_under_test.h"
#include "stage.h"
#include "xkit.h"

namespace {

namespace fs = std::filesystem;
using boxes::Box;
using xkit::Is;
using xkit::Millis;
using xkit::Program;
using xkit::Rgb;
using xkit::Screenshot;
using xkit::XServer;

const std::string kProbe = BASE_PROBE;
const fs::path kHostile = HOSTILE_DIR;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kGrey{90, 90, 90};  // every picture of the list but the one under test

using hostile::Editor;
using hostile::Game;
using hostile::ProgramUnderTest;

// The program's pictures in grey, with `picture` in place of the replaced one.
struct PictureDir : xkit::TempDir {
    PictureDir(const ProgramUnderTest& program, const std::function<void(const fs::path&)>& picture)
        : TempDir("trevla-hostile") {
        if (Path().empty()) return;
        xkit::WriteSolidPictures(Path(), program.pictures, [](int) { return kGrey; });
        const fs::path replaced = Path() / program.pictures[program.replaced];
        fs::remove(replaced);
        picture(replaced);
    }
};

void CopyOf(const fs::path& fixture, const fs::path& to) { fs::copy_file(fixture, to); }

struct Loaded {
    const char* fixture;
    std::function<bool(const Screenshot&, const ProgramUnderTest&)> shows;
};

void ExpectEachLoads(const ProgramUnderTest& program) {
    const auto red = [](const Screenshot& shot, const ProgramUnderTest& p) {
        return Is(shot, p.middle.x, p.middle.y, kRed);
    };
    const auto yellowUpright = [](const Screenshot& shot, const ProgramUnderTest& p) {
        return Is(shot, p.inYellow.x, p.inYellow.y, kYellow) &&
               !Is(shot, p.mirroredYellow.x, p.mirroredYellow.y, kYellow);
    };
    const Loaded cases[] = {
        {"rle8_8192x8192_1080bytes.bmp", red},
        {"im6_rle8_bmp3_61x37.bmp", yellowUpright},
        {"im6_default_pal8_rle_v5_61x37.bmp", yellowUpright},
    };
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    for (const Loaded& loaded : cases) {
        SCOPED_TRACE(loaded.fixture);
        PictureDir dir(program, [&](const fs::path& to) { CopyOf(kHostile / loaded.fixture, to); });
        Program running(x, program.path, {}, dir.Path().string());
        const auto shot = xkit::WaitFor(
            x, [&](const Screenshot& s) { return loaded.shows(s, program); }, Millis(30000));
        EXPECT_TRUE(shot.has_value())
            << "the picture does not show; " << xkit::Tail(running.Lines());
        EXPECT_EQ(x.FindWindow("Error", Millis(0)), 0u);
        EXPECT_EQ(x.FindWindow("ERROR", Millis(0)), 0u);
        x.RequestClose(x.FindWindow(program.title));
        EXPECT_EQ(running.WaitExit(Millis(15000)), 0);
    }
}

struct Refused {
    const char* name;
    std::function<void(const fs::path&)> picture;
    Box readerBox;
};

void ExpectEachRefused(const ProgramUnderTest& program) {
    const std::string listed = program.pictures[program.replaced];
    const Refused cases[] = {
        {"a side beyond the texture limit",
         [](const fs::path& to) { CopyOf(kHostile / "tall_1x33554432_rle8_min_crash.bmp", to); },
         {"Error", "plain", "Out of memory."}},
        // Read up to its first bytes only: a full read would take seconds.
        {"512 MB that are no picture",
         [](const fs::path& to) {
             xkit::WriteBmp(to, 1, 1, {kGrey});
             std::FILE* file = std::fopen(to.c_str(), "r+b");
             std::fputs("GIF89a", file);
             std::fclose(file);
             fs::resize_file(to, std::uintmax_t{512} << 20);
         },
         {"Error", "plain", "Unknown DIB file format."}},
        {"a link to /dev/zero",
         [](const fs::path& to) { fs::create_symlink("/dev/zero", to); },
         {"Error", "plain", "Failed to open DIB file " + listed + ".\n"}},
    };
    const Box loading{"ERROR", "warning", "Loading Textures failed."};
    const Box initialization{"ERROR", "warning", "Initialization Failed."};

    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    xkit::TempDir probeDir("trevla-hostile-probe");
    std::vector<std::pair<std::string, Screenshot>> references;
    for (const Refused& refused : cases) {
        for (const Box* box : {&refused.readerBox, &loading, &initialization}) {
            auto picture = boxes::ReferencePicture(x, kProbe, probeDir.Path(), *box);
            ASSERT_TRUE(picture.has_value()) << "reference box \"" << box->text << "\"";
            references.emplace_back(box->text, *picture);
        }
    }
    auto referenceOf = [&](const Box& box) -> const Screenshot& {
        for (const auto& [text, picture] : references)
            if (text == box.text) return picture;
        return references[0].second;
    };

    for (const Refused& refused : cases) {
        SCOPED_TRACE(refused.name);
        PictureDir dir(program, refused.picture);
        Program running(x, program.path, {}, dir.Path().string());
        XWindowId previous = 0;
        for (const Box* box : {&refused.readerBox, &loading, &initialization}) {
            SCOPED_TRACE(box->text);
            const XWindowId window = boxes::NextBox(x, box->caption, previous);
            ASSERT_NE(window, 0u) << xkit::Tail(running.Lines());
            const auto seen = boxes::WaitForPicture(x, window, referenceOf(*box));
            ASSERT_TRUE(seen.has_value());
            EXPECT_TRUE(boxes::SamePicture(*seen, referenceOf(*box)))
                << "box of " << seen->width << "x" << seen->height;
            boxes::Answer(x, window);
            previous = window;
        }
        EXPECT_EQ(running.WaitExit(Millis(15000)), 0);
        EXPECT_EQ(x.FindWindow(program.title, Millis(0)), 0u);
    }
}

TEST(HostilePictures, TheGameLoadsPicturesWithinTheLimits) { ExpectEachLoads(Game()); }
TEST(HostilePictures, TheEditorLoadsPicturesWithinTheLimits) { ExpectEachLoads(Editor()); }
TEST(HostilePictures, TheGameStopsAtAPictureItCannotLoad) { ExpectEachRefused(Game()); }
TEST(HostilePictures, TheEditorStopsAtAPictureItCannotLoad) { ExpectEachRefused(Editor()); }

}  // namespace
