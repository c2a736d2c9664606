#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/game/game_session.h"

namespace {

using namespace session;

struct MenuValues {
    int selection, map, speed;
};

struct MenuCase {
    const char* what;
    MenuValues start;
    std::function<void()> keys;
    MenuValues expected;
    int sounds;  // menu sounds played, all without waiting
};

void Set(MenuValues v) {
    menuSelection = v.selection;
    mapSlot = v.map;
    speedLevel = v.speed;
}

TEST(MainMenu, ArrowsStopAtTheEndsEnterWrapsAndEachPressActsOnce) {
    const std::vector<MenuCase> cases{
        {"Up on item 1 selects item 5", {1, 1, 2}, [] { Tap(VK_UP); }, {5, 1, 2}, 1},
        {"Down on item 5 selects item 1", {5, 1, 2}, [] { Tap(VK_DOWN); }, {1, 1, 2}, 1},
        {"Right on map 4 gives map 5", {3, 4, 2}, [] { Tap(VK_RIGHT); }, {3, 5, 2}, 1},
        {"Right on map 5 keeps map 5", {3, 5, 2}, [] { Tap(VK_RIGHT); }, {3, 5, 2}, 1},
        {"Left on map 1 keeps map 1", {3, 1, 2}, [] { Tap(VK_LEFT); }, {3, 1, 2}, 1},
        {"Enter on map 5 gives map 1", {3, 5, 2}, [] { Tap(VK_RETURN); }, {3, 1, 2}, 1},
        {"Enter on map 2 gives map 3", {3, 2, 2}, [] { Tap(VK_RETURN); }, {3, 3, 2}, 1},
        {"Left on speed 1 keeps speed 1", {4, 1, 1}, [] { Tap(VK_LEFT); }, {4, 1, 1}, 1},
        {"Right on speed 3 keeps speed 3", {4, 1, 3}, [] { Tap(VK_RIGHT); }, {4, 1, 3}, 1},
        {"Left on speed 2 gives speed 1", {4, 1, 2}, [] { Tap(VK_LEFT); }, {4, 1, 1}, 1},
        {"Enter on speed 3 gives speed 1", {4, 1, 3}, [] { Tap(VK_RETURN); }, {4, 1, 1}, 1},
        {"Left and Right on item 1 only sound",
         {1, 3, 3},
         [] {
             Tap(VK_LEFT);
             Tap(VK_RIGHT);
         },
         {1, 3, 3},
         2},
        {"Left and Right on item 2 only sound",
         {2, 3, 3},
         [] {
             Tap(VK_LEFT);
             Tap(VK_RIGHT);
         },
         {2, 3, 3},
         2},
        {"Left and Right on item 5 only sound",
         {5, 3, 3},
         [] {
             Tap(VK_LEFT);
             Tap(VK_RIGHT);
         },
         {5, 3, 3},
         2},
        {"a held arrow acts once, key repeat or not",
         {1, 1, 2},
         [] {
             KeyDown(VK_DOWN);
             Frames(3);
             KeyDown(VK_DOWN);
             Frames(3);
             KeyUp(VK_DOWN);
             Frames(1);
         },
         {2, 1, 2},
         1},
        {"a held Enter acts once",
         {3, 1, 2},
         [] {
             KeyDown(VK_RETURN);
             Frames(3);
             KeyDown(VK_RETURN);
             Frames(3);
             KeyUp(VK_RETURN);
             Frames(1);
         },
         {3, 2, 2},
         1},
        {"a new press acts again",
         {1, 1, 2},
         [] {
             Tap(VK_DOWN);
             Tap(VK_DOWN);
         },
         {3, 1, 2},
         2},
        {"Up and Down together leave the selection",
         {2, 1, 2},
         [] {
             KeyDown(VK_UP);
             KeyDown(VK_DOWN);
             Frames(2);
         },
         {2, 1, 2},
         2},
        {"Enter acts on the item the arrows of its frame selected",
         {2, 1, 2},
         [] {
             KeyDown(VK_DOWN);
             KeyDown(VK_RETURN);
             Frames(1);
         },
         {3, 2, 2},
         2},
        {"ESC, SPACE and P do nothing",
         {2, 4, 1},
         [] {
             Tap(VK_ESCAPE);
             Tap(VK_SPACE);
             Tap('P');
         },
         {2, 4, 1},
         0},
    };
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        Do([&] { Set(c.start); });
        c.keys();
        bool checked = false;
        Do([&] {
            checked = true;
            EXPECT_TRUE(inMenu);
            EXPECT_FALSE(isLoading);
            EXPECT_EQ(menuSelection, c.expected.selection);
            EXPECT_EQ(mapSlot, c.expected.map);
            EXPECT_EQ(speedLevel, c.expected.speed);
        });
        EXPECT_EQ(RunGame(), 0);
        EXPECT_TRUE(checked) << "the program ran to the end of its script";
        EXPECT_EQ(SoundPaths(), std::vector<std::string>(c.sounds, kMenu));
        for (const fake::Sound& s : fake::Sounds()) EXPECT_FALSE(Blocking(s));
    }
}

TEST(MainMenu, AnArrowHeldWhenPlayReturnsToTheMenuActsInThatVeryFrame) {
    Fresh();
    WriteMap(1, WalledMap({"", "", "", "", "1"}));
    StartGame();
    KeyDown(VK_DOWN);
    Frames(1);
    KeyDown(VK_ESCAPE);
    Frames(1);
    bool checked = false;
    Do([&] {
        checked = true;
        EXPECT_TRUE(inMenu);
        EXPECT_EQ(menuSelection, 2);
    });
    EXPECT_EQ(RunGame(), 0);
    EXPECT_TRUE(checked);
    EXPECT_EQ(SoundPaths(), (std::vector<std::string>{kSwoosh, kBuzzer, kMenu}));
}

TEST(MainMenu, TheMenuShowsNinePicturesInOrderWithThePreviewOfTheSelection) {
    struct ScreenCase {
        MenuValues values;
        int preview;  // -1: none
    };
    const std::vector<ScreenCase> cases{
        {{1, 4, 3}, SinglePreviewTexture},
        {{2, 4, 3}, MultiPreviewTexture},
        {{3, 1, 3}, Map1PreviewTexture},
        {{3, 2, 3}, Map2PreviewTexture},
        {{3, 3, 3}, Map3PreviewTexture},
        {{3, 4, 3}, Map4PreviewTexture},
        {{3, 5, 3}, Map5PreviewTexture},
        {{4, 5, 1}, Speed1PreviewTexture},
        {{4, 5, 2}, Speed2PreviewTexture},
        {{4, 5, 3}, Speed3PreviewTexture},
        {{5, 5, 3}, -1},
    };
    Fresh();
    int checked = 0;
    for (const ScreenCase& c : cases) {
        Do([&] { Set(c.values); });
        Frames(1);
        Do([&] {
            ++checked;
            SCOPED_TRACE("item " + std::to_string(c.values.selection) + ", map " +
                         std::to_string(c.values.map) + ", speed " +
                         std::to_string(c.values.speed));
            std::vector<std::string> expected{
                Picture(MenuHeaderTexture, 0, 3, 640, 80),
                Picture(PreviewFrameTexture, 300, 100, 556, 356),
                Picture(InfoPanelTexture, 320, 380, 576, 444),
            };
            if (c.preview >= 0) expected.push_back(Picture(c.preview, 340, 140, 516, 316));
            for (int item = 1; item <= 5; ++item) {
                const int entry = item == c.values.selection ? 2 * item + 3 : 2 * item + 4;
                const float top = 120 + 70 * (item - 1);
                expected.push_back(Picture(entry, 30, top, 230, top + 50));
            }
            EXPECT_EQ(Describe(fake::LastFrame().quads), expected);
            EXPECT_TRUE(fake::LastFrame().texts.empty());
            EXPECT_EQ(fake::LastFrame().clears, 1);
        });
    }
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(checked, static_cast<int>(cases.size()));
}

}  // namespace
