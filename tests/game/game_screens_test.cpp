#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/game/game_session.h"

namespace {

using namespace session;

// The game's pictures, in the order of its texture table.
const std::vector<std::string> kPictureFiles{
    "data/textures/menu/top.bmp",         "data/textures/menu/pic_frame.bmp",
    "data/textures/menu/map1.bmp",        "data/textures/menu/single.bmp",
    "data/textures/menu/multi.bmp",       "data/textures/menu/menuitem1_1.bmp",
    "data/textures/menu/menuitem1_2.bmp", "data/textures/menu/menuitem2_1.bmp",
    "data/textures/menu/menuitem2_2.bmp", "data/textures/menu/menuitem3_1.bmp",
    "data/textures/menu/menuitem3_2.bmp", "data/textures/menu/menuitem4_1.bmp",
    "data/textures/menu/menuitem4_2.bmp", "data/textures/menu/menuitem5_1.bmp",
    "data/textures/menu/menuitem5_2.bmp", "data/textures/menu/speed1.bmp",
    "data/textures/menu/speed2.bmp",      "data/textures/menu/speed3.bmp",
    "data/textures/menu/map2.bmp",        "data/textures/menu/map3.bmp",
    "data/textures/menu/info.bmp",        "data/textures/menu/loading.bmp",
    "data/textures/ingame/wall.bmp",      "data/textures/ingame/item.bmp",
    "data/textures/ingame/snake1.bmp",    "data/textures/ingame/snake2.bmp",
    "data/textures/ingame/player1.bmp",   "data/textures/ingame/player2.bmp",
    "data/textures/ingame/top.bmp",       "data/textures/menu/map4.bmp",
    "data/textures/menu/map5.bmp",
};

// Shows the playfield without running the playing logic: a round that is
// over with no outcome to print.
void ShowField() {
    inMenu = isLoading = paused = false;
    roundOver = true;
    outcome = None;
}

TEST(GameScreens, EachTextureEntryHoldsItsOwnPicture) {
    Fresh();
    // Pictures of distinct widths tell the entries apart.
    for (size_t i = 0; i < kPictureFiles.size(); ++i)
        fake::WriteFile(kPictureFiles[i], "SIZE " + std::to_string(i + 1) + " 2");
    bool checked = false;
    Frames(1);
    Do([&] {
        checked = true;
        ASSERT_EQ(fake::Uploads().size(), kPictureFiles.size());
        for (size_t i = 0; i < kPictureFiles.size(); ++i) {
            SCOPED_TRACE(kPictureFiles[i]);
            int width = 0;
            for (const fake::Upload& u : fake::Uploads())
                if (u.texture == TextureTable[i]) width = u.width;
            EXPECT_EQ(width, static_cast<int>(i + 1));
        }
    });
    EXPECT_EQ(RunGame(), 0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(fake::Boxes().empty());
}

TEST(GameScreens, AMissingPictureStopsTheGameAtStart) {
    for (const std::string& missing : {kPictureFiles.front(), kPictureFiles.back()}) {
        SCOPED_TRACE(missing);
        Fresh();
        std::filesystem::remove(missing);
        Frames(5);
        EXPECT_EQ(RunGame(), 0);
        EXPECT_EQ(fake::SwapCount(), 0);
        ASSERT_EQ(fake::Boxes().size(), 2u);
        EXPECT_EQ(fake::Boxes()[0].text, "Loading Textures failed.");
        EXPECT_EQ(fake::Boxes()[1].text, "Initialization Failed.");
    }
}

TEST(GameScreens, ThePlayfieldDrawsEachKnownCellThenTheSidePanel) {
    Fresh();
    MapGrid field;
    field.at(0, 0) = Wall;
    field.at(1, 0) = Item;
    field.at(2, 0) = Snake1;
    field.at(3, 0) = Snake2;
    field.at(4, 0) = 7;  // unknown codes show the background
    field.at(5, 0) = -1;
    field.at(30, 7) = Item;
    field.at(6, 8) = 5;
    field.at(59, 59) = Wall;
    bool checked = false;
    Do([&] {
        ShowField();
        playfield = field;
    });
    Frames(1);
    Do([&] {
        checked = true;
        const std::vector<std::string> expected{
            Picture(WallTexture, 0, 0, 8, 8),
            Picture(ItemTexture, 8, 0, 16, 8),
            Picture(Snake1Texture, 16, 0, 24, 8),
            Picture(Snake2Texture, 24, 0, 32, 8),
            Picture(ItemTexture, 240, 56, 248, 64),
            Picture(WallTexture, 472, 472, 480, 480),
            // The header's left edge is slanted: 483 at the bottom, 480 at the top.
            Picture(PanelHeaderTexture, {{{483, 70}, {637, 70}, {637, 20}, {480, 20}}}),
            Picture(Player1LabelTexture, 490, 100, 618, 132),
            Picture(Player2LabelTexture, 490, 200, 618, 232),
        };
        EXPECT_EQ(Describe(fake::LastFrame().quads), expected);
        EXPECT_EQ(fake::LastFrame().clears, 1);
    });
    EXPECT_EQ(RunGame(), 0);
    EXPECT_TRUE(checked);
}

TEST(GameScreens, TheHudPrintsLivesAndPointsOfBothPlayers) {
    struct Case {
        int lives1, points1, lives2, points2;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases{
        {3, 0, 3, 0, {"Lives  =  3", "Points =  0", "Lives  =  3", "Points =  0"}},
        {2, 17, 0, 9, {"Lives  =  2", "Points = 17", "Lives  =  0", "Points =  9"}},
        {-1, 100, 1, 1234, {"Lives  = -1", "Points = 100", "Lives  =  1", "Points = 1234"}},
    };
    Fresh();
    int checked = 0;
    for (const Case& c : cases) {
        Do([&] {
            ShowField();
            player1.lives = c.lives1;
            player1.points = c.points1;
            player2.lives = c.lives2;
            player2.points = c.points2;
        });
        Frames(1);
        Do([&] {
            ++checked;
            const std::vector<PlacedText> expected{
                {490, 150, c.texts[0]},
                {490, 170, c.texts[1]},
                {490, 250, c.texts[2]},
                {490, 270, c.texts[3]},
            };
            std::vector<PlacedText> hud = Texts(fake::LastFrame());
            hud.resize(std::min<size_t>(hud.size(), 4));  // a lost game adds its texts
            EXPECT_EQ(hud, expected);
        });
    }
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(checked, static_cast<int>(cases.size()));
}

TEST(GameScreens, TheMenuWinsOverLoadingWhichWinsOverThePlayfield) {
    enum Shown { Menu, Loading, Field, FieldPaused };
    struct Case {
        bool inMenu, isLoading, roundOver, paused;
        Shown shown;
    };
    const std::vector<Case> cases{
        {true, true, true, true, Menu},
        {true, false, false, false, Menu},
        {false, true, true, true, Loading},
        {false, false, false, false, Field},
        {false, false, true, false, Field},
        {false, false, false, true, FieldPaused},
    };
    Fresh();
    int checked = 0;
    for (const Case& c : cases) {
        // The screen is drawn from the flags the frame starts with.
        Do([&] {
            inMenu = c.inMenu;
            isLoading = c.isLoading;
            roundOver = c.roundOver;
            paused = c.paused;
            outcome = None;
            player1.lives = player2.lives = 3;
            itemCount = 1;
            loadingStartTime = 1e9f;  // keeps the loading picture up
        });
        Frames(1);
        Do([&] {
            ++checked;
            const fake::Frame& f = fake::LastFrame();
            ASSERT_FALSE(f.quads.empty());
            switch (c.shown) {
                case Menu:
                    EXPECT_EQ(f.quads.size(), 9u);
                    EXPECT_EQ(f.quads[0].texture, TextureTable[MenuHeaderTexture]);
                    EXPECT_TRUE(f.texts.empty());
                    break;
                case Loading:
                    EXPECT_EQ(f.quads.size(), 1u);
                    EXPECT_EQ(f.quads[0].texture, TextureTable[LoadingTexture]);
                    EXPECT_TRUE(f.texts.empty());
                    break;
                case Field:
                case FieldPaused:
                    EXPECT_EQ(f.quads.back().texture, TextureTable[Player2LabelTexture]);
                    EXPECT_EQ(f.texts.size(), c.shown == FieldPaused ? 5u : 4u);
                    if (c.shown == FieldPaused && f.texts.size() == 5u) {
                        EXPECT_EQ(f.texts[4].text, "PAUSE");
                        EXPECT_EQ(f.texts[4].x, 525);
                        EXPECT_EQ(f.texts[4].y, 370);
                    }
                    break;
            }
        });
        // Back to a state in which no logic changes the flags.
        Do([] { inMenu = true, isLoading = roundOver = paused = false; });
        Frames(1);
    }
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(checked, static_cast<int>(cases.size()));
}

}  // namespace
