#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "game/round_setup.h"
#include "tests/game/game_session.h"

namespace {

using namespace session;

bool GlLogHas(const std::string& prefix) {
    const auto& log = fake::GlLog();
    return std::any_of(log.begin(), log.end(), [&](const std::string& call) {
        return call.rfind(prefix, 0) == 0;
    });
}

bool SamePlayer(const PlayerState& a, const PlayerState& b) {
    return std::memcmp(&a, &b, sizeof(PlayerState)) == 0;
}

// A map on which player 1 starts at (1, 1), right under the wall, and
// player 2 at (40, 20), both with room to move.
MapGrid DefaultMap() {
    MapGrid grid = WalledMap({"1"});
    grid.at(40, 20) = Snake2;
    return grid;
}

struct Screen {
    const char* name;
    std::function<void()> reach;  // script from the start to this screen
    std::function<bool()> holds;  // the flags of the screen
};

std::vector<Screen> Screens() {
    return {
        {"menu", [] {}, [] { return inMenu && !isLoading; }},
        {"loading", [] { Tap(VK_RETURN); }, [] { return isLoading && !inMenu; }},
        {"playing", [] { StartGame(); }, [] { return Playing(); }},
        {"paused",
         [] {
             StartGame();
             Tap('P');
         },
         [] { return paused && !roundOver; }},
        {"round over",
         [] {
             StartGame();
             TickFrame();  // player 1 runs into the wall above it
         },
         [] { return roundOver && !paused; }},
        {"paused and over",
         [] {
             StartGame();
             KeyDown('P');
             TickFrame();
             KeyUp('P');
             Frames(1);
         },
         [] { return roundOver && paused; }},
    };
}

TEST(GameProgram, StartsFullscreenOnTheMenuWithItemOneMapOneAndSpeedTwo) {
    Fresh();
    bool checked = false;
    Frames(1);
    Do([&] {
        EXPECT_TRUE(inMenu);
        EXPECT_FALSE(isLoading || roundOver || paused || twoPlayer);
        EXPECT_EQ(menuSelection, 1);
        EXPECT_EQ(mapSlot, 1);
        EXPECT_EQ(speedLevel, 2);
        EXPECT_TRUE(glWindow.fullscreen);
        EXPECT_TRUE(fake::WindowFullscreen());
        EXPECT_EQ(fake::WindowTitle(), "Trevla - SnAkE");
        ASSERT_EQ(fake::LastFrame().quads.size(), 9u);
        EXPECT_EQ(fake::LastFrame().quads[0].texture, TextureTable[MenuHeaderTexture]);
        EXPECT_EQ(fake::TexturesAlive(), 31);
        checked = true;
    });
    EXPECT_EQ(RunGame(), 0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(fake::Sounds().empty());
    EXPECT_TRUE(fake::Boxes().empty());
}

// The first reading after the timer starts is under a millisecond, so the
// first round places its items as a generator seeded with 0 does.
TEST(GameProgram, SeedsTheItemsFromTheFirstTimerReading) {
    Fresh();
    WriteMap(1, DefaultMap());
    MapGrid played;
    StartGame();
    Do([&] { played = playfield; });
    EXPECT_EQ(RunGame(), 0);

    ResetGameState();
    SeedGameRandom(0);
    RoundSetup();
    EXPECT_EQ(itemCount, 50);
    EXPECT_EQ(played.cells, playfield.cells);
}

TEST(GameProgram, ClosingTheWindowOnAnyScreenEndsInOrderWithExitCodeZero) {
    for (const Screen& screen : Screens()) {
        SCOPED_TRACE(screen.name);
        Fresh();
        WriteMap(1, DefaultMap());
        screen.reach();
        bool reached = false;
        Do([&] { reached = screen.holds(); });
        fake::PushClose();
        Frames(5);  // never run: the close ends the loop first
        EXPECT_EQ(RunGame(), 0);
        EXPECT_TRUE(reached);
        EXPECT_FALSE(fake::ScriptEmpty());
        EXPECT_TRUE(GlLogHas("glDeleteLists")) << "the font lists are deleted";
        EXPECT_FALSE(fake::WindowExists());
        EXPECT_FALSE(fake::DisplayModeChanged());
        EXPECT_FALSE(fake::ClassRegistered());
        EXPECT_FALSE(fake::ContextCurrent());
        EXPECT_EQ(fake::CursorCounter(), 0);
    }
}

TEST(GameProgram, EnterStartsTheLoadingPictureAndTwoSecondsLaterANewGame) {
    struct Case {
        int item;
        bool twoPlayers;
    };
    for (const Case& c : {Case{1, false}, Case{2, true}}) {
        SCOPED_TRACE("item " + std::to_string(c.item));
        Fresh();
        WriteMap(1, DefaultMap());
        // What an earlier game might have left behind.
        Do([] {
            player1.lives = 0, player1.points = 17;
            player2.lives = 1, player2.points = 9;
        });
        if (c.item == 2) Tap(VK_DOWN);
        fake::PushClockMs(1000);
        KeyDown(VK_RETURN);
        Frames(1);
        int step = 0;
        Do([&] {
            ++step;
            EXPECT_TRUE(isLoading);
            EXPECT_FALSE(inMenu);
            EXPECT_EQ(twoPlayer, c.twoPlayers);
            ASSERT_FALSE(fake::Sounds().empty());
            EXPECT_EQ(fake::Sounds().back().path, kSwoosh);
            EXPECT_FALSE(Blocking(fake::Sounds().back()));
            EXPECT_EQ(fake::LastFrame().quads.size(), 9u) << "this frame still drew the menu";
        });
        KeyUp(VK_RETURN);
        Frames(1);
        Do([&] {
            ++step;
            const auto& quads = fake::LastFrame().quads;
            ASSERT_EQ(quads.size(), 1u);
            EXPECT_EQ(quads[0].texture, TextureTable[LoadingTexture]);
            EXPECT_EQ(quads[0].v[0].x, 120);
            EXPECT_EQ(quads[0].v[0].y, 440);
            EXPECT_EQ(quads[0].v[2].x, 520);
            EXPECT_EQ(quads[0].v[2].y, 40);
        });
        fake::PushClockMs(2999);
        Frames(1);
        Do([&] {
            ++step;
            EXPECT_TRUE(isLoading);
            EXPECT_EQ(player1.lives, 0);
        });
        fake::PushClockMs(3001);
        Frames(1);
        Do([&] {
            ++step;
            EXPECT_FALSE(isLoading);
            EXPECT_FALSE(roundOver);
            EXPECT_EQ(player1.lives, 3);
            EXPECT_EQ(player2.lives, 3);
            EXPECT_EQ(player1.points, 0);
            EXPECT_EQ(player2.points, 0);
            EXPECT_EQ(player1.x, 1);
            EXPECT_EQ(player1.y, 1);
            EXPECT_EQ(itemCount, c.twoPlayers ? 0 : 50);
            EXPECT_NEAR(lastTickTime, 3001.0, 0.01);
            EXPECT_EQ(fake::LastFrame().quads.size(), 1u)
                << "this frame still drew the loading picture";
        });
        Frames(1);
        Do([&] {
            ++step;
            EXPECT_GT(fake::LastFrame().quads.size(), 4 * 59u) << "the playfield is drawn";
            EXPECT_EQ(itemCount, c.twoPlayers ? 1 : 50)
                << "the first playing frame places the two-player item";
            EXPECT_EQ(fake::LastFrame().texts.size(), 4u);
            if (fake::LastFrame().texts.size() == 4u) {
                EXPECT_EQ(fake::LastFrame().texts[2].text, "Lives  =  3");
                EXPECT_EQ(fake::LastFrame().texts[3].text, "Points =  0");
            }
        });
        EXPECT_EQ(RunGame(), 0);
        EXPECT_EQ(step, 5);
        const std::vector<std::string> expected = c.item == 2
                                                      ? std::vector<std::string>{kMenu, kSwoosh}
                                                      : std::vector<std::string>{kSwoosh};
        EXPECT_EQ(SoundPaths(), expected) << "loading completes without a sound";
    }
}

TEST(GameProgram, TheExitItemEndsTheProgramAfterItsFrameWithoutASound) {
    Fresh();
    Tap(VK_UP);  // item 5
    KeyDown(VK_RETURN);
    Frames(1);
    Frames(10);  // never run
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(fake::SwapCount(), 3);
    EXPECT_FALSE(fake::ScriptEmpty());
    EXPECT_EQ(SoundPaths(), std::vector<std::string>{kMenu}) << "only Up made a sound";
    EXPECT_TRUE(GlLogHas("glDeleteLists"));
    EXPECT_FALSE(fake::WindowExists());
    EXPECT_FALSE(fake::DisplayModeChanged());
}

TEST(GameProgram, F1RebuildsTheWindowOncePerKeyDownAndChangesNothingElse) {
    for (const Screen& screen : Screens()) {
        SCOPED_TRACE(screen.name);
        Fresh();
        WriteMap(1, DefaultMap());
        screen.reach();
        struct Snapshot {
            bool inMenu, isLoading, roundOver, paused, twoPlayer;
            MapGrid field;
            PlayerState p1, p2;
            int historyIndex, itemCount, menuSelection, mapSlot, speedLevel;
        };
        static Snapshot before, after;  // large: kept off the stack
        auto take = [](Snapshot& s) {
            s = {inMenu,
                 isLoading,
                 roundOver,
                 paused,
                 twoPlayer,
                 playfield,
                 player1,
                 player2,
                 historyIndex,
                 itemCount,
                 menuSelection,
                 mapSlot,
                 speedLevel};
        };
        int windows = 0;
        Do([&] {
            take(before);
            windows = fake::CallCount("CreateWindowExA");
        });
        KeyDown(VK_F1);
        Frames(1);
        Do([&] {
            take(after);
            EXPECT_EQ(fake::CallCount("CreateWindowExA"), windows + 1);
            EXPECT_FALSE(glWindow.fullscreen);
            EXPECT_FALSE(fake::WindowFullscreen());
            EXPECT_EQ(fake::WindowTitle(), "Trevla - SnAkE");
            EXPECT_EQ(KeyState[VK_F1], 0);
            EXPECT_EQ(fake::TexturesGenerated(), 62) << "all pictures loaded again";
            EXPECT_EQ(fake::TexturesAlive(), 31);
            EXPECT_TRUE(screen.holds());
            EXPECT_EQ(after.inMenu, before.inMenu);
            EXPECT_EQ(after.isLoading, before.isLoading);
            EXPECT_EQ(after.roundOver, before.roundOver);
            EXPECT_EQ(after.paused, before.paused);
            EXPECT_EQ(after.twoPlayer, before.twoPlayer);
            EXPECT_EQ(after.field.cells, before.field.cells);
            EXPECT_TRUE(SamePlayer(after.p1, before.p1));
            EXPECT_TRUE(SamePlayer(after.p2, before.p2));
            EXPECT_EQ(after.historyIndex, before.historyIndex);
            EXPECT_EQ(after.itemCount, before.itemCount);
        });
        Frames(3);  // F1 still held, but no new key-down: no toggle
        Do([&] { EXPECT_EQ(fake::CallCount("CreateWindowExA"), windows + 1); });
        KeyDown(VK_F1);  // key repeat
        Frames(1);
        Do([&] {
            EXPECT_EQ(fake::CallCount("CreateWindowExA"), windows + 2);
            EXPECT_TRUE(fake::WindowFullscreen());
        });
        KeyUp(VK_F1);
        EXPECT_EQ(RunGame(), 0);
        EXPECT_TRUE(fake::Boxes().empty());
    }
}

TEST(GameProgram, AFailedF1RebuildEndsTheProgramAtOnce) {
    Fresh();
    Do([] { fake::FailNext(fake::Op::CreateWindowExA); });
    KeyDown(VK_F1);
    Frames(1);
    Frames(5);  // never run
    EXPECT_EQ(RunGame(), 0);
    EXPECT_FALSE(fake::ScriptEmpty());
    EXPECT_FALSE(fake::WindowExists());
    ASSERT_FALSE(fake::Boxes().empty());
    EXPECT_EQ(fake::Boxes().back().text, "Window Creation Error.");
}

TEST(GameProgram, AMinimisedWindowDrawsNothingWhileTheLogicGoesOn) {
    Fresh();
    WriteMap(1, DefaultMap());
    Tap(VK_RETURN);
    fake::PushMessage(WM_ACTIVATE, WPARAM{1} << 16);  // minimised
    int swaps = 0;
    Do([&] { swaps = fake::SwapCount(); });
    Frames(2);
    Do([&] { fake::AdvanceClockMs(2001); });
    Frames(1);
    Do([&] {
        EXPECT_FALSE(windowActive);
        EXPECT_FALSE(isLoading) << "the loading completes";
        EXPECT_EQ(player1.lives, 3);
        EXPECT_EQ(fake::SwapCount(), swaps + 3) << "buffers are still swapped";
        EXPECT_EQ(fake::LastFrame().clears, 0);
        EXPECT_TRUE(fake::LastFrame().quads.empty());
        EXPECT_TRUE(fake::LastFrame().texts.empty());
    });
    KeyDown(VK_RIGHT);
    TickFrame();
    Do([&] {
        EXPECT_EQ(historyIndex, 2) << "the game goes on ticking";
        EXPECT_EQ(player1.x, 2);
    });
    fake::PushMessage(WM_ACTIVATE, WA_ACTIVE);
    Frames(1);
    Do([&] {
        EXPECT_TRUE(windowActive);
        EXPECT_EQ(fake::LastFrame().clears, 1);
        EXPECT_EQ(fake::LastFrame().texts.size(), 4u);
    });
    EXPECT_EQ(RunGame(), 0);
}

}  // namespace
