// The editor in a real window on Xvfb: every cell's picture, the cursor
// picture following the arrows, the slanted panel picture, the panel texts
// and the prompts, the help box, and a map drawn and saved with the keys.
// The pictures are solid colours, one per texture entry, so each can be told
// apart from whatever lies around it.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "box_pictures.h"
#include "editor/editor_screen.h"
#include "mapfile/map_file.h"
#include "staged_dir.h"
#include "xkit.h"

namespace {

namespace fs = std::filesystem;
using xkit::Extent;
using xkit::Is;
using xkit::Millis;
using xkit::Program;
using xkit::Rgb;
using xkit::Screenshot;
using xkit::WaitFor;
using xkit::WalledMap;
using xkit::XServer;

const std::string kEditor = TREVLA_EDIT;
const std::string kTitle = "Trevla_edit - SnAkE";
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// The colour of texture entry i: well apart from each other after a 16-bit
// screen's rounding, none black or white.
Rgb ColourOf(int entry) {
    static constexpr std::uint8_t kLevels[] = {48, 112, 176, 232};
    return Rgb{kLevels[entry % 4], kLevels[(entry / 4) % 4], kLevels[(entry + 1) % 3 + 1]};
}

// A working directory with the editor's pictures and its default map.
struct EditorDir : xkit::StagedDir {
    explicit EditorDir(const MapGrid& defaultMap)
        : StagedDir("trevla-edit-window",
                    kEditorTextureFiles,
                    ColourOf,
                    "Data/maps/mapdefault",
                    defaultMap) {}
};

// The entry that shows a cell holding `code`; codes outside 0 to 4 show as
// Empty.
int CellEntry(std::int32_t code, bool cursor) {
    if (code < Empty || code > Snake2) code = Empty;
    if (cursor) return code;
    return code == Empty ? EmptyTexture : WallTexture + code - Wall;
}

bool CellShows(const Screenshot& s, int cx, int cy, int entry) {
    return Is(s, cx * 8 + 4, cy * 8 + 4, ColourOf(entry));
}

// The lit (white) pixels of the panel within a band of rows.
Extent WhiteIn(const Screenshot& s, int top, int bottom) {
    return xkit::ExtentOf(s, kWhite, 481, top, s.width, bottom + 1);
}

// The text on a base line: its lit pixels from 19 rows above to 4 below,
// clear of the lines 20 pixels above and below.
Extent TextOn(const Screenshot& s, int baseline) { return WhiteIn(s, baseline - 19, baseline + 4); }

// A text starts at x 490 with its base line at `baseline`; parentheses and
// descenders reach a few rows below it.
void ExpectTextOn(const Screenshot& s, int baseline, int minWidth) {
    SCOPED_TRACE("text on base line " + std::to_string(baseline));
    const Extent text = TextOn(s, baseline);
    ASSERT_FALSE(text.Empty());
    EXPECT_GE(text.left, 490);
    EXPECT_LE(text.left, 494);
    EXPECT_GE(text.bottom, baseline - 3);
    EXPECT_LE(text.bottom, baseline + 4);
    EXPECT_LE(text.top, baseline - 10) << "capitals and digits rise well above the base line";
    EXPECT_GT(text.right - 490, minWidth);
}

// The pixels of one text line from x `left` on, to compare two frames.
std::vector<bool> TextPixels(const Screenshot& s, int baseline, int left = 481) {
    std::vector<bool> lit;
    for (int y = baseline - 17; y <= baseline + 2; ++y)
        for (int x = left; x < s.width; ++x) lit.push_back(Is(s, x, y, kWhite));
    return lit;
}

// Right of "X-Pos" and "Y-Pos": the " = " and the value.
constexpr int kValueColumns = 565;

// Starts the editor on a 640 by 480 screen and waits for its first frame.
struct Session {
    explicit Session(const MapGrid& map) : dir(map), editor(x, kEditor, {}, dir.Path().string()) {}

    bool Ready() {
        if (!x.Ok() || !editor.Started()) return false;
        if (!x.WaitForPixel(560, 45, ColourOf(PanelTexture), Millis(20000))) return false;
        window = x.FindWindow(kTitle);
        if (window == 0) return false;
        const auto geometry = x.WindowGeometry(window);
        if (!geometry || geometry->x != 0 || geometry->y != 0 || geometry->width != 640 ||
            geometry->height != 480)
            return false;
        x.Focus(window);
        x.SetAutoRepeat(false);
        return true;
    }

    // The editor reads its key table once per frame, and a frame of a
    // sanitized build on software GL on a busy machine can take longer than
    // a finger's tap: a key is held until its effect shows, then let go.
    // Auto-repeat is off (Ready), so a held key is one key-down.
    std::optional<Screenshot> TapUntil(XKeySym key,
                                       const std::function<bool(const Screenshot&)>& shown) {
        x.PressKey(key);
        auto shot = WaitFor(x, shown);
        x.ReleaseKey(key);
        return shot;
    }

    // A tap that moves the cursor or changes its cell: waits for the cursor
    // picture of `entry` on (cx, cy).
    bool TapToCursor(XKeySym key, int cx, int cy, int entry) {
        return TapUntil(key, [=](const Screenshot& shot) { return CellShows(shot, cx, cy, entry); })
            .has_value();
    }

    void Close() {
        x.RequestClose(window);
        EXPECT_EQ(editor.WaitExit(Millis(15000)), 0);
    }

    XServer x{640, 480};
    EditorDir dir;
    Program editor;
    XWindowId window = 0;
};

TEST(EditorWindow, EveryCellShowsItsPictureAndTheCursorFollowsTheArrows) {
    MapGrid map = WalledMap();
    map.at(1, 1) = Wall;
    map.at(2, 1) = Item;
    map.at(3, 1) = Snake1;
    map.at(4, 1) = Snake2;
    map.at(5, 1) = 7;
    map.at(3, 2) = Item;
    map.at(30, 40) = Snake2;
    Session s(map);
    ASSERT_TRUE(s.Ready());

    auto expectGrid = [&](const Screenshot& shot, int cursorX, int cursorY) {
        for (int cy = 0; cy < kMapSize; ++cy) {
            for (int cx = 0; cx < kMapSize; ++cx) {
                const int entry = CellEntry(map.at(cx, cy), cx == cursorX && cy == cursorY);
                EXPECT_TRUE(CellShows(shot, cx, cy, entry)) << "cell " << cx << "," << cy;
            }
        }
    };
    // Each step moves onto a cell of another kind, so the cursor picture
    // changes with it.
    struct Step {
        XKeySym key;  // 0: none
        int x, y;
    };
    const std::vector<Step> steps = {
        {0, 1, 1},
        {XK_Right, 2, 1},
        {XK_Right, 3, 1},
        {XK_Right, 4, 1},
        {XK_Right, 5, 1},
        {XK_Left, 4, 1},
        {XK_Left, 3, 1},
        {XK_Down, 3, 2},
        {XK_Up, 3, 1},
        {XK_Up, 3, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE("cursor on " + std::to_string(step.x) + "," + std::to_string(step.y));
        const int entry = CellEntry(map.at(step.x, step.y), true);
        auto shown = [&](const Screenshot& shot) { return CellShows(shot, step.x, step.y, entry); };
        auto shot = step.key == 0 ? WaitFor(s.x, shown) : s.TapUntil(step.key, shown);
        ASSERT_TRUE(shot.has_value());
        expectGrid(*shot, step.x, step.y);
        // A cell picture covers its whole 8 by 8 square.
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_TRUE(Is(*shot, step.x * 8 + x, step.y * 8 + y, ColourOf(entry)));
    }
    s.Close();
}

TEST(EditorWindow, PanelPictureTextsAndPrompts) {
    Session s(WalledMap());
    ASSERT_TRUE(s.Ready());
    auto first = WaitFor(s.x, [](const Screenshot& shot) { return !TextOn(shot, 465).Empty(); });
    ASSERT_TRUE(first.has_value());

    // The panel picture: top 20, bottom 70, right 637, and a left edge that
    // runs from 480 at the top to 483 at the bottom.
    const Rgb panel = ColourOf(PanelTexture);
    EXPECT_TRUE(Is(*first, 560, 20, panel));
    EXPECT_FALSE(Is(*first, 560, 19, panel));
    EXPECT_TRUE(Is(*first, 560, 69, panel));
    EXPECT_FALSE(Is(*first, 560, 70, panel));
    EXPECT_TRUE(Is(*first, 636, 45, panel));
    EXPECT_FALSE(Is(*first, 637, 45, panel));
    EXPECT_TRUE(Is(*first, 480, 21, panel)) << "top left corner at 480";
    EXPECT_FALSE(Is(*first, 479, 21, panel));
    EXPECT_TRUE(Is(*first, 483, 69, panel)) << "bottom left corner at 483";
    EXPECT_FALSE(Is(*first, 482, 69, panel));
    EXPECT_TRUE(Is(*first, 560, 90, kBlack)) << "the rest of the panel is the clear colour";

    // Coordinates, then the command list; nothing between (S)ave and (H)elp.
    ExpectTextOn(*first, 100, 100);  // "X-Pos =  2"
    ExpectTextOn(*first, 120, 100);
    ExpectTextOn(*first, 160, 40);  // "(N)ew"
    ExpectTextOn(*first, 180, 50);
    ExpectTextOn(*first, 200, 50);
    ExpectTextOn(*first, 465, 50);
    EXPECT_TRUE(WhiteIn(*first, 206, 440).Empty());
    const std::vector<bool> xAt2 = TextPixels(*first, 100);
    const std::vector<bool> yAt2 = TextPixels(*first, 120);
    EXPECT_EQ(TextPixels(*first, 100, kValueColumns), TextPixels(*first, 120, kValueColumns))
        << "both show the value 2";

    // The shown column follows the cursor, the row stays.
    for (int x = 2; x <= 9; ++x) ASSERT_TRUE(s.TapToCursor(XK_Right, x, 1, CursorEmptyTexture));
    auto moved = s.x.Grab();
    EXPECT_NE(TextPixels(moved, 100), xAt2);
    EXPECT_EQ(TextPixels(moved, 120), yAt2);
    for (int x = 8; x >= 1; --x) ASSERT_TRUE(s.TapToCursor(XK_Left, x, 1, CursorEmptyTexture));
    EXPECT_EQ(TextPixels(s.x.Grab(), 100), xAt2);

    // Each prompt adds its seven lines from 240 to 380; 0 takes them away.
    for (XKeySym open : {XK_l, XK_s}) {
        SCOPED_TRACE(open == XK_l ? "load prompt" : "save prompt");
        auto prompt =
            s.TapUntil(open, [](const Screenshot& shot) { return !TextOn(shot, 380).Empty(); });
        ASSERT_TRUE(prompt.has_value());
        for (int baseline : {240, 270, 290, 310, 330, 350, 380})
            ExpectTextOn(*prompt, baseline, 40);
        EXPECT_TRUE(WhiteIn(*prompt, 386, 440).Empty());
        auto closed = s.TapUntil(
            XK_0, [](const Screenshot& shot) { return WhiteIn(shot, 206, 440).Empty(); });
        ASSERT_TRUE(closed.has_value());
    }
    s.Close();
}

// A map drawn with the keys and saved to slot 2 is the file on disk; the help
// box comes and goes on the way, and ESC ends the editor.
TEST(EditorWindow, DrawSaveAndQuitWithTheKeys) {
    Session s(WalledMap());
    ASSERT_TRUE(s.Ready());
    s.x.PressKey(XK_h);
    ASSERT_TRUE(s.x.AnswerWindow("Help", XK_Return, Millis(20000)));
    s.x.ReleaseKey(XK_h);
    s.x.Focus(s.window);
    std::this_thread::sleep_for(Millis(200));
    for (int x = 1; x <= 5; ++x) {  // a wall line along row 1
        ASSERT_TRUE(s.TapToCursor(XK_space, x, 1, CursorWallTexture));
        ASSERT_TRUE(s.TapToCursor(XK_Right, x + 1, 1, CursorEmptyTexture));
    }
    ASSERT_TRUE(s.TapToCursor(XK_1, 6, 1, CursorSnake1Texture));
    ASSERT_TRUE(s.TapToCursor(XK_Down, 6, 2, CursorEmptyTexture));
    ASSERT_TRUE(s.TapToCursor(XK_Down, 6, 3, CursorEmptyTexture));
    ASSERT_TRUE(s.TapToCursor(XK_2, 6, 3, CursorSnake2Texture));
    const Screenshot drawn = s.x.Grab();
    for (int x = 1; x <= 5; ++x) EXPECT_TRUE(CellShows(drawn, x, 1, WallTexture));
    EXPECT_TRUE(CellShows(drawn, 6, 1, Snake1Texture));
    ASSERT_TRUE(
        s.TapUntil(XK_s, [](const Screenshot& shot) { return !TextOn(shot, 380).Empty(); }));
    ASSERT_TRUE(
        s.TapUntil(XK_2, [](const Screenshot& shot) { return WhiteIn(shot, 206, 440).Empty(); }));
    s.x.PressKey(XK_Escape);
    EXPECT_EQ(s.editor.WaitExit(Millis(15000)), 0);
    s.x.ReleaseKey(XK_Escape);

    MapGrid expected = WalledMap();
    for (int x = 1; x <= 5; ++x) expected.at(x, 1) = Wall;
    expected.at(6, 1) = Snake1;
    expected.at(6, 3) = Snake2;
    MapGrid saved;
    for (auto& row : saved.cells) row.fill(-1);
    ReadMapFile((s.dir.Path() / "Data/maps/map2").c_str(), saved);
    EXPECT_EQ(saved.cells, expected.cells);
    for (int slot : {1, 3, 4, 5})
        EXPECT_FALSE(fs::exists(s.dir.Path() / ("Data/maps/map" + std::to_string(slot))));
}

// A save that cannot replace the map says so in a box with the map's path
// and the reason; the folder stays as it was, and the editor goes on.
TEST(EditorWindow, AFailedSaveIsToldInABoxAndTheEditorGoesOn) {
    // The box as it should look, drawn by the probe on a server of its own
    // before the editor starts, so that neither takes the other's keys.
    const boxes::Box failure{
        "ERROR", "warning", "The map was not saved to Data/maps/map2: Is a directory."};
    std::optional<Screenshot> reference;
    {
        XServer referenceServer(640, 480);
        ASSERT_TRUE(referenceServer.Ok());
        xkit::TempDir probeDir("trevla-edit-probe");
        reference = boxes::ReferencePicture(referenceServer, BASE_PROBE, probeDir.Path(), failure);
        ASSERT_TRUE(reference.has_value());
    }
    Session s(WalledMap());
    // Map 2's name is taken by a folder, which a save must not replace.
    const fs::path maps = s.dir.Path() / "Data/maps";
    fs::create_directories(maps / "map2/inside");
    ASSERT_TRUE(s.Ready());

    const auto promptOpen = [](const Screenshot& shot) { return !TextOn(shot, 380).Empty(); };
    const auto promptClosed = [](const Screenshot& shot) {
        return WhiteIn(shot, 206, 440).Empty();
    };
    ASSERT_TRUE(s.TapToCursor(XK_space, 1, 1, CursorWallTexture));
    ASSERT_TRUE(s.TapUntil(XK_s, promptOpen));
    // Held until the box shows: the save runs in a frame that sees it down.
    s.x.PressKey(XK_2);
    const XWindowId box = boxes::NextBox(s.x, "ERROR", 0);
    s.x.ReleaseKey(XK_2);
    ASSERT_NE(box, 0u) << xkit::Tail(s.editor.Lines());
    const auto seen = boxes::WaitForPicture(s.x, box, *reference);
    ASSERT_TRUE(seen.has_value());
    EXPECT_TRUE(boxes::SamePicture(*seen, *reference)) << "the box's text differs";
    boxes::Answer(s.x, box);

    // The editor goes on: the next save, to slot 3, works.
    s.x.Focus(s.window);
    ASSERT_TRUE(s.TapUntil(XK_s, promptOpen));
    ASSERT_TRUE(s.TapUntil(XK_3, promptClosed));
    s.x.PressKey(XK_Escape);
    EXPECT_EQ(s.editor.WaitExit(Millis(15000)), 0);
    s.x.ReleaseKey(XK_Escape);

    MapGrid expected = WalledMap();
    expected.at(1, 1) = Wall;
    MapGrid saved;
    ReadMapFile((maps / "map3").c_str(), saved);
    EXPECT_EQ(saved.cells, expected.cells);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(maps)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"map2", "map3", "mapdefault"}));
    EXPECT_TRUE(fs::is_directory(maps / "map2/inside"));
}

// The path of a program found on PATH, or an empty string.
std::string OnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= dirs.size();) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

// Under a window manager a box takes the keyboard from a fullscreen window;
// once it is answered, the window is back as it was: fullscreen, mapped,
// showing its picture, and it has the keys again without a click.
TEST(EditorWindow, FullscreenComesBackAfterTheHelpBoxUnderAWindowManager) {
    const std::string openbox = OnPath("openbox");
    ASSERT_FALSE(openbox.empty()) << "openbox is needed (scripts/install-deps test)";
    XServer x(640, 480);
    ASSERT_TRUE(x.Ok());
    EditorDir dir(WalledMap());
    Program wm(x, openbox, {"--sm-disable"}, dir.Path().string());
    ASSERT_TRUE(x.WaitForWindowManager());
    Program editor(x, kEditor, {}, dir.Path().string());
    ASSERT_NE(x.FindWindow(kTitle, Millis(20000)), 0UL);

    const Rgb panel = ColourOf(PanelTexture);
    auto fullscreenShows = [&](const Rgb& cursorCell, int cx) {
        const XWindowId window = x.FindWindow(kTitle, Millis(200));
        const auto geometry = window != 0 ? x.WindowGeometry(window) : std::nullopt;
        return geometry && geometry->viewable && geometry->x == 0 && geometry->y == 0 &&
               geometry->width == 640 && geometry->height == 480 &&
               x.WaitForPixel(560, 45, panel, Millis(200)) &&
               x.WaitForPixel(cx * 8 + 4, 12, cursorCell, Millis(200));
    };
    auto waitUntil = [](const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < end) {
            if (done()) return true;
            std::this_thread::sleep_for(Millis(50));
        }
        return false;
    };
    const Rgb cursorOnEmpty = ColourOf(CursorEmptyTexture);

    x.SetAutoRepeat(false);
    ASSERT_TRUE(x.PressKey(XK_F1));
    ASSERT_TRUE(waitUntil([&] { return fullscreenShows(cursorOnEmpty, 1); }))
        << "F1 did not bring the editor fullscreen; " << xkit::Tail(editor.Lines());
    x.ReleaseKey(XK_F1);

    ASSERT_TRUE(x.PressKey(XK_h));
    ASSERT_NE(x.FindWindow("Help", Millis(20000)), 0UL);
    x.ReleaseKey(XK_h);
    // Enter as the user presses it: to whichever window the manager gave the
    // keyboard, which is the box.
    x.TapKey(XK_Return);
    ASSERT_TRUE(waitUntil([&] { return x.FindWindow("Help", Millis(100)) == 0; }));

    EXPECT_TRUE(waitUntil([&] { return fullscreenShows(cursorOnEmpty, 1); }))
        << "the editor did not come back fullscreen with its picture";
    // The arrows act again, with nobody focusing the window for them.
    ASSERT_TRUE(x.PressKey(XK_Right));
    EXPECT_TRUE(waitUntil([&] { return fullscreenShows(cursorOnEmpty, 2); }))
        << "the cursor did not move: the editor lost the keyboard";
    x.ReleaseKey(XK_Right);

    x.RequestClose(x.FindWindow(kTitle));
    EXPECT_EQ(editor.WaitExit(Millis(15000)), 0);
}

}  // namespace
