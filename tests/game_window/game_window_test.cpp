// The game in a real window on Xvfb: every picture in its rectangle, the side
// panel and the lives and points texts, and a short round played with keys.
// The pictures are solid colours, one per texture entry, so each rectangle
// can be told apart from whatever lies around it.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "game/game_screens.h"
#include "mapfile/map_file.h"
#include "staged_dir.h"
#include "xkit.h"

namespace {

using xkit::Extent;
using xkit::InScreen;
using xkit::Is;
using xkit::Millis;
using xkit::Program;
using xkit::Rgb;
using xkit::Screenshot;
using xkit::WaitFor;
using xkit::WalledMap;
using xkit::XServer;

const std::string kGame = TREVLA_GAME;
const std::string kTitle = "Trevla - SnAkE";
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// The colour of texture entry i: channel values from five levels, all of
// them distinct by far more than a 16-bit screen rounds, none black or white.
Rgb ColourOf(int entry) {
    static constexpr std::uint8_t kLevels[] = {48, 96, 144, 192, 232};
    return Rgb{kLevels[entry % 5], kLevels[(entry / 5) % 5], kLevels[entry / 25 + 2]};
}

// A working directory with the game's pictures and map 1.
struct GameDir : xkit::StagedDir {
    explicit GameDir(const MapGrid& map1)
        : StagedDir("trevla-window", kGameTextureFiles, ColourOf, "Data/maps/map1", map1) {}
};

// The picture of `entry` fills exactly the rectangle: the pixels just inside
// each edge have its colour, those just outside do not.
void ExpectRect(const Screenshot& s, int entry, int left, int top, int right, int bottom) {
    const Rgb c = ColourOf(entry);
    const int midX = (left + right) / 2;
    const int midY = (top + bottom) / 2;
    SCOPED_TRACE("entry " + std::to_string(entry));
    EXPECT_TRUE(Is(s, left, midY, c)) << "left edge";
    EXPECT_TRUE(Is(s, right - 1, midY, c)) << "right edge";
    EXPECT_TRUE(Is(s, midX, top, c)) << "top edge";
    EXPECT_TRUE(Is(s, midX, bottom - 1, c)) << "bottom edge";
    const std::pair<int, int> outside[] = {
        {left - 1, midY}, {right, midY}, {midX, top - 1}, {midX, bottom}};
    for (auto [x, y] : outside) {
        if (InScreen(s, x, y)) {
            EXPECT_FALSE(Is(s, x, y, c)) << "outside at " << x << "," << y;
        }
    }
}

bool CellIs(const Screenshot& s, int cx, int cy, Rgb colour) {
    return Is(s, cx * 8 + 4, cy * 8 + 4, colour);
}

// The lit (white) pixels of a text line in a band around its base line,
// narrower than the 20 pixels between the lines of the side panel.
Extent TextExtent(const Screenshot& s, int x0, int x1, int baseline) {
    return xkit::ExtentOf(s, kWhite, x0, baseline - 18, x1, baseline + 4);
}

// Starts the game on a 640 by 480 screen, which it fills, and waits for the
// menu header.
struct Session {
    explicit Session(const MapGrid& map) : dir(map), game(x, kGame, {}, dir.Path().string()) {}

    bool Ready() {
        if (!x.Ok() || !game.Started()) return false;
        if (!x.WaitForPixel(320, 40, ColourOf(MenuHeaderTexture), Millis(20000))) return false;
        window = x.FindWindow(kTitle);
        if (window == 0) return false;
        x.Focus(window);
        return true;
    }

    // Holds the key down until the screen shows its effect, then lets it up
    // for a while. The game reads its keys once a frame and takes one message
    // per pass: a key released before a frame has run goes unseen, and a key
    // pressed again before a frame has seen it up counts as still held.
    std::optional<Screenshot> PressUntil(XKeySym key,
                                         const std::function<bool(const Screenshot&)>& effect) {
        x.PressKey(key);
        auto shot = WaitFor(x, effect);
        x.ReleaseKey(key);
        std::this_thread::sleep_for(Millis(300));
        return shot;
    }

    void Close() {
        x.RequestClose(window);
        EXPECT_EQ(game.WaitExit(Millis(15000)), 0);
    }

    XServer x{640, 480};
    GameDir dir;
    Program game;
    XWindowId window = 0;
};

TEST(GameWindow, EveryMenuPictureFillsItsRectangle) {
    Session s(WalledMap());
    ASSERT_TRUE(s.Ready());
    struct State {
        XKeySym key;  // pressed to reach it; 0: the start
        int selection;
        int preview;  // -1: none
    };
    const std::vector<State> states{
        {0, 1, SinglePreviewTexture},
        {XK_Down, 2, MultiPreviewTexture},
        {XK_Down, 3, Map1PreviewTexture},
        {XK_Right, 3, Map2PreviewTexture},
        {XK_Right, 3, Map3PreviewTexture},
        {XK_Right, 3, Map4PreviewTexture},
        {XK_Right, 3, Map5PreviewTexture},
        {XK_Down, 4, Speed2PreviewTexture},
        {XK_Left, 4, Speed1PreviewTexture},
        {XK_Right, 4, Speed2PreviewTexture},
        {XK_Right, 4, Speed3PreviewTexture},
        {XK_Down, 5, -1},
    };
    for (const State& state : states) {
        SCOPED_TRACE("item " + std::to_string(state.selection) + ", preview " +
                     std::to_string(state.preview));
        const int selectedButton = 2 * state.selection + 3;
        auto shown = [&](const Screenshot& shot) {
            return Is(shot, 130, 145 + 70 * (state.selection - 1), ColourOf(selectedButton)) &&
                   Is(shot,
                      428,
                      228,
                      ColourOf(state.preview < 0 ? PreviewFrameTexture : state.preview));
        };
        auto shot = state.key ? s.PressUntil(state.key, shown) : WaitFor(s.x, shown);
        ASSERT_TRUE(shot.has_value());
        ExpectRect(*shot, MenuHeaderTexture, 0, 3, 640, 80);
        EXPECT_TRUE(Is(*shot, 320, 2, kBlack)) << "the header starts at row 3";
        ExpectRect(*shot, PreviewFrameTexture, 300, 100, 556, 356);
        ExpectRect(*shot, InfoPanelTexture, 320, 380, 576, 444);
        if (state.preview >= 0) {
            ExpectRect(*shot, state.preview, 340, 140, 516, 316);
        } else {
            EXPECT_TRUE(Is(*shot, 428, 228, ColourOf(PreviewFrameTexture)))
                << "no preview over the frame";
        }
        for (int item = 1; item <= 5; ++item) {
            const int entry = item == state.selection ? 2 * item + 3 : 2 * item + 4;
            const int top = 120 + 70 * (item - 1);
            ExpectRect(*shot, entry, 30, top, 230, top + 50);
        }
    }
    s.Close();
}

TEST(GameWindow, TheLoadingPictureThenThePlayfieldSidePanelAndTexts) {
    MapGrid map = WalledMap();
    map.at(20, 20) = Wall;
    map.at(40, 30) = Snake1;
    map.at(10, 5) = Snake2;
    Session s(map);
    ASSERT_TRUE(s.Ready());
    // A two-player game shows both snakes and one item.
    ASSERT_TRUE(s.PressUntil(XK_Down, [](const Screenshot& shot) {
        return Is(shot, 130, 215, ColourOf(FirstButtonTexture + 2));
    }));
    auto loading = s.PressUntil(XK_Return, [](const Screenshot& shot) {
        return Is(shot, 320, 240, ColourOf(LoadingTexture));
    });
    ASSERT_TRUE(loading.has_value());
    ExpectRect(*loading, LoadingTexture, 120, 40, 520, 440);
    EXPECT_TRUE(Is(*loading, 119, 240, kBlack));
    EXPECT_TRUE(Is(*loading, 320, 440, kBlack));

    ASSERT_TRUE(s.x.WaitForPixel(4, 4, ColourOf(WallTexture), Millis(10000)));
    // Paused, nothing moves while the screen is read.
    auto shot = s.PressUntil(
        XK_p, [](const Screenshot& shot) { return !TextExtent(shot, 520, 640, 370).Empty(); });
    ASSERT_TRUE(shot.has_value()) << "the pause text";

    // Every cell picture covers whole 8 by 8 cells of the grid and nothing else.
    struct CellKind {
        int entry;
        int minCells, maxCells;
    };
    const CellKind kinds[] = {{WallTexture, 4 * 59 + 1, 4 * 59 + 1},
                              {ItemTexture, 1, 1},
                              {Snake1Texture, 1, 2},
                              {Snake2Texture, 1, 2}};
    for (const CellKind& kind : kinds) {
        SCOPED_TRACE("entry " + std::to_string(kind.entry));
        const Rgb c = ColourOf(kind.entry);
        int cells = 0;
        for (int cy = 0; cy < 60; ++cy) {
            for (int cx = 0; cx < 60; ++cx) {
                int lit = 0;
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x) lit += Is(*shot, cx * 8 + x, cy * 8 + y, c);
                EXPECT_TRUE(lit == 0 || lit == 64)
                    << "cell " << cx << "," << cy << " is partly covered";
                cells += lit == 64;
            }
        }
        EXPECT_GE(cells, kind.minCells);
        EXPECT_LE(cells, kind.maxCells);
        for (int y = 0; y < 480; ++y)
            EXPECT_FALSE(Is(*shot, 480, y, c)) << "nothing right of the field";
    }
    ExpectRect(*shot, WallTexture, 160, 160, 168, 168);

    // The side panel: the header's left edge runs from 480 at the top to 483
    // at the bottom.
    const Rgb header = ColourOf(PanelHeaderTexture);
    EXPECT_TRUE(Is(*shot, 560, 20, header));
    EXPECT_FALSE(Is(*shot, 560, 19, header));
    EXPECT_TRUE(Is(*shot, 560, 69, header));
    EXPECT_FALSE(Is(*shot, 560, 70, header));
    EXPECT_TRUE(Is(*shot, 636, 45, header));
    EXPECT_FALSE(Is(*shot, 637, 45, header));
    EXPECT_TRUE(Is(*shot, 480, 21, header)) << "top left corner at 480";
    EXPECT_FALSE(Is(*shot, 479, 21, header));
    EXPECT_FALSE(Is(*shot, 482, 69, header)) << "bottom left corner at 483";
    EXPECT_TRUE(Is(*shot, 483, 69, header));
    ExpectRect(*shot, Player1LabelTexture, 490, 100, 618, 132);
    ExpectRect(*shot, Player2LabelTexture, 490, 200, 618, 232);

    // The four texts start at x 490 on their base lines.
    for (int baseline : {150, 170, 250, 270}) {
        SCOPED_TRACE("text on base line " + std::to_string(baseline));
        const Extent text = TextExtent(*shot, 481, 640, baseline);
        ASSERT_FALSE(text.Empty());
        EXPECT_GE(text.left, 490);
        EXPECT_LE(text.left, 494);
        EXPECT_GE(text.bottom, baseline - 3);
        EXPECT_LE(text.bottom, baseline + 1);
        EXPECT_LE(text.top, baseline - 10) << "capitals stand on the base line";
        EXPECT_GT(text.right, 490 + 100) << "eleven characters";
    }
    s.Close();
}

TEST(GameWindow, AShortRoundMovesTurnsDiesAndRestarts) {
    MapGrid map = WalledMap();
    map.at(50, 40) = Snake1;
    // Enough items far away that none are added at random.
    for (int y = 55; y <= 57; ++y)
        for (int x = 1; x <= 58; ++x) map.at(x, y) = Item;
    Session s(map);
    ASSERT_TRUE(s.Ready());
    const Rgb snake = ColourOf(Snake1Texture);
    ASSERT_TRUE(s.PressUntil(XK_Return, [](const Screenshot& shot) {
        return Is(shot, 320, 240, ColourOf(LoadingTexture));
    }));
    ASSERT_TRUE(s.x.WaitForPixel(4, 4, ColourOf(WallTexture), Millis(10000)));

    // It moves up on its own (caught anywhere above its start cell).
    ASSERT_TRUE(WaitFor(s.x, [&](const Screenshot& shot) {
                    for (int cy = 1; cy <= 38; ++cy)
                        if (CellIs(shot, 50, cy, snake)) return true;
                    return false;
                }).has_value());
    // Anywhere right of its column: a slow screenshot may catch it late,
    // even at the wall.
    auto turned = s.PressUntil(XK_Right, [&](const Screenshot& shot) {
        for (int cy = 1; cy < 40; ++cy)
            for (int cx = 51; cx <= 58; ++cx)
                if (CellIs(shot, cx, cy, snake)) return true;
        return false;
    });
    ASSERT_TRUE(turned.has_value()) << "the snake turned right";

    // It runs into the wall on the right and the round is over.
    auto over = WaitFor(
        s.x, [](const Screenshot& shot) { return !TextExtent(shot, 90, 480, 250).Empty(); });
    ASSERT_TRUE(over.has_value());
    const Extent hud = TextExtent(*over, 481, 640, 170);       // "Points =  0", 11 characters
    const Extent headline = TextExtent(*over, 140, 480, 200);  // "Player 1 died", 13
    const Extent second = TextExtent(*over, 80, 480, 250);     // "Press SPACE to restart", 22
    ASSERT_FALSE(hud.Empty() || headline.Empty() || second.Empty());
    const double advance = (hud.right - hud.left) / 10.5;
    EXPECT_GE(headline.left, 150);
    EXPECT_LE(headline.left, 154);
    EXPECT_NEAR((headline.right - headline.left) / advance, 12.5, 2.0) << "\"Player 1 died\"";
    EXPECT_GE(second.left, 90);
    EXPECT_LE(second.left, 94);
    EXPECT_NEAR((second.right - second.left) / advance, 21.5, 2.0) << "\"Press SPACE to restart\"";
    bool diedOnTheRight = false;
    for (int cy = 1; cy < 40; ++cy) diedOnTheRight |= CellIs(*over, 58, cy, snake);
    EXPECT_TRUE(diedOnTheRight);

    // SPACE: the map is loaded again and the snake starts over from its cell,
    // up column 50 (wherever a slow screenshot catches it).
    auto restarted = s.PressUntil(XK_space, [&](const Screenshot& shot) {
        bool oldBody = false;
        bool newBody = false;
        for (int cy = 1; cy < 40; ++cy) oldBody |= CellIs(shot, 58, cy, snake);
        for (int cy = 1; cy <= 40; ++cy) newBody |= CellIs(shot, 50, cy, snake);
        return TextExtent(shot, 90, 480, 250).Empty() && !oldBody && newBody;
    });
    ASSERT_TRUE(restarted.has_value());
    s.Close();
}

}  // namespace
