#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/game/game_session.h"

namespace {

using namespace session;

// Player 1 starts right under the wall and dies at the first tick.
MapGrid DeadlyMap() { return WalledMap({"1"}); }

// Player 1 starts at (5, 12) heading Up to two items and then a wall:
// two points, then a death at the fifth tick. Forty more items lie in row
// 50, so the first round tops up 8 and a restart with 2 points 6.
MapGrid ItemsThenWallMap() {
    MapGrid grid = WalledMap();
    grid.at(5, 12) = Snake1;
    grid.at(5, 11) = grid.at(5, 10) = Item;
    grid.at(5, 7) = Wall;
    for (int x = 10; x < 50; ++x) grid.at(x, 50) = Item;
    return grid;
}

std::vector<PlacedText> OutcomeTexts(const fake::Frame& frame) {
    std::vector<PlacedText> texts;
    for (const PlacedText& t : Texts(frame))
        if (t.text.rfind("Lives", 0) != 0 && t.text.rfind("Points", 0) != 0) texts.push_back(t);
    return texts;
}

const PlacedText kRestart{90, 250, "Press SPACE to restart"};
const PlacedText kToMenu{90, 250, "Press SPACE to return to Menu"};

TEST(Pause, PHeldPausesOnceAndANewPressResumesWithoutWaiting) {
    Fresh();
    WriteMap(1, DeadlyMap());
    fake::SetSyncSoundLengthMs(300);
    StartGame();
    KeyDown('P');
    Frames(1);
    int step = 0;
    Do([&] {
        ++step;
        EXPECT_TRUE(paused);
        EXPECT_EQ(fake::ClockMs(), 2001 + 300) << "the menu sound held the game";
    });
    Frames(3);
    KeyDown('P');  // key repeat
    Frames(2);
    KeyUp('P');
    Frames(1);
    Do([&] {
        ++step;
        EXPECT_TRUE(paused);
        EXPECT_EQ(fake::Sounds().size(), 2u);
    });
    KeyDown('P');
    Frames(1);
    Do([&] {
        ++step;
        EXPECT_FALSE(paused);
        EXPECT_EQ(fake::ClockMs(), 2001 + 300) << "the resume sound did not hold the game";
    });
    Frames(3);  // P still held: it does not pause again
    Do([&] {
        ++step;
        EXPECT_FALSE(paused);
        // The clock ran on while the pause sound played, so the first tick
        // after the resume was due at once (and ran into the wall).
        EXPECT_TRUE(roundOver);
    });
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(step, 4);
    ASSERT_EQ(SoundPaths(), (std::vector<std::string>{kSwoosh, kMenu, kMenu}));
    EXPECT_TRUE(Blocking(fake::Sounds()[1]));
    EXPECT_FALSE(Blocking(fake::Sounds()[2]));
}

TEST(Pause, SpaceResumesWithoutPBeingReleased) {
    Fresh();
    WriteMap(1, DeadlyMap());
    StartGame();
    KeyDown('P');
    Frames(2);
    KeyDown(VK_SPACE);
    Frames(1);
    bool resumed = false;
    Do([&] { resumed = !paused; });
    KeyUp(VK_SPACE);
    Frames(3);
    bool stillPlaying = false;
    Do([&] { stillPlaying = Playing(); });
    EXPECT_EQ(RunGame(), 0);
    EXPECT_TRUE(resumed);
    EXPECT_TRUE(stillPlaying) << "the held P does not pause again";
    ASSERT_EQ(SoundPaths(), (std::vector<std::string>{kSwoosh, kMenu, kMenu}));
    EXPECT_FALSE(Blocking(fake::Sounds()[2]));
}

TEST(Pause, EscWhilePausedReturnsToTheMenuWithTheBuzzer) {
    Fresh();
    WriteMap(1, DeadlyMap());
    StartGame();
    Tap('P');
    KeyDown(VK_ESCAPE);
    Frames(1);
    bool inMenuUnpaused = false;
    Do([&] { inMenuUnpaused = inMenu && !paused; });
    EXPECT_EQ(RunGame(), 0);
    EXPECT_TRUE(inMenuUnpaused);
    ASSERT_EQ(SoundPaths(), (std::vector<std::string>{kSwoosh, kMenu, kBuzzer}));
    EXPECT_TRUE(Blocking(fake::Sounds()[2]));
}

TEST(RoundOver, ARestartKeepsLivesAndPointsAndTopsUpToFiftyMinusPoints) {
    Fresh();
    WriteMap(1, ItemsThenWallMap());
    StartGame();
    int step = 0;
    Do([&] {
        ++step;
        EXPECT_EQ(itemCount, 50);
    });
    for (int i = 0; i < 5; ++i) TickFrame();
    Frames(1);
    Do([&] {
        ++step;
        EXPECT_TRUE(roundOver);
        EXPECT_EQ(outcome, Player1Died);
        EXPECT_EQ(player1.lives, 2);
        EXPECT_EQ(player1.points, 2);
        EXPECT_EQ(OutcomeTexts(fake::LastFrame()),
                  (std::vector<PlacedText>{{150, 200, "Player 1 died"}, kRestart}));
    });
    KeyDown(VK_SPACE);
    Frames(1);
    Do([&] {
        ++step;
        EXPECT_FALSE(roundOver);
        EXPECT_FALSE(inMenu);
        EXPECT_EQ(player1.lives, 2);
        EXPECT_EQ(player1.points, 2);
        EXPECT_EQ(itemCount, 48);
        EXPECT_EQ(player1.x, 5);
        EXPECT_EQ(player1.y, 12);
        EXPECT_EQ(player1.length, 1);
        EXPECT_EQ(historyIndex, 1);
        EXPECT_EQ(outcome, Player1Died) << "kept until the next round ends";
    });
    KeyUp(VK_SPACE);
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(step, 3);
    EXPECT_EQ(SoundPaths(), std::vector<std::string>{kSwoosh})
        << "a death and a restart are silent";
}

// Ends of a game: the last life lost, or the level complete; SPACE or ESC
// then return to the menu with the buzzer, and the next game has 3 lives.
TEST(RoundOver, AGameThatIsOverReturnsToTheMenuWithTheBuzzer) {
    struct Case {
        const char* what;
        bool levelComplete;
        int key;
        std::vector<PlacedText> texts;
        std::vector<std::string> sounds;
    };
    const std::vector<Case> cases{
        {"last life, SPACE",
         false,
         VK_SPACE,
         {{150, 200, "Player 1: GAME OVER"}, kToMenu},
         {kSwoosh, kBuzzer}},
        {"last life, ESC",
         false,
         VK_ESCAPE,
         {{150, 200, "Player 1: GAME OVER"}, kToMenu},
         {kSwoosh, kBuzzer}},
        {"level complete, SPACE",
         true,
         VK_SPACE,
         {{150, 200, "LEVEL COMPLETE!"}, kToMenu},
         {kSwoosh, kWin, kBuzzer}},
        {"level complete, ESC",
         true,
         VK_ESCAPE,
         {{150, 200, "LEVEL COMPLETE!"}, kToMenu},
         {kSwoosh, kWin, kBuzzer}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        WriteMap(1, ItemsThenWallMap());
        StartGame();
        Do([&] {
            if (c.levelComplete) {
                // Only the item in front of the snake is left.
                for (auto& row : playfield.cells)
                    for (auto& cell : row)
                        if (cell == Item) cell = Empty;
                playfield.at(5, 11) = Item;
                itemCount = 1;
            } else {
                player1.lives = 1;
            }
        });
        for (int i = 0; i < (c.levelComplete ? 1 : 5); ++i) TickFrame();
        Frames(1);
        int step = 0;
        Do([&] {
            ++step;
            EXPECT_TRUE(roundOver);
            EXPECT_EQ(OutcomeTexts(fake::LastFrame()), c.texts);
            EXPECT_EQ(player1.lives, c.levelComplete ? 3 : 0);
        });
        KeyDown(c.key);
        Frames(1);
        Do([&] {
            ++step;
            EXPECT_TRUE(inMenu);
            EXPECT_FALSE(roundOver);
        });
        KeyUp(c.key);
        Frames(1);
        StartGame();
        Do([&] {
            ++step;
            EXPECT_TRUE(Playing());
            EXPECT_EQ(player1.lives, 3);
            EXPECT_EQ(player1.points, 0);
        });
        EXPECT_EQ(RunGame(), 0);
        EXPECT_EQ(step, 3);
        std::vector<std::string> sounds = c.sounds;
        sounds.push_back(kSwoosh);
        EXPECT_EQ(SoundPaths(), sounds);
        for (const fake::Sound& s : fake::Sounds()) {
            if (s.path != kSwoosh) {
                EXPECT_TRUE(Blocking(s)) << s.path;
            }
        }
    }
}

TEST(RoundOver, SpaceHeldAcrossRoundEndsRestartsUntilThePlayerIsOutOfLives) {
    Fresh();
    WriteMap(1, DeadlyMap());
    StartGame();
    KeyDown(VK_SPACE);
    std::vector<int> lives;
    std::vector<bool> over;
    for (int i = 0; i < 3; ++i) {
        TickFrame();
        Do([&] {
            lives.push_back(player1.lives);
            over.push_back(roundOver);
        });
    }
    bool backInMenu = false;
    Do([&] { backInMenu = inMenu; });
    Frames(3);
    EXPECT_EQ(RunGame(), 0);
    // Each round ended and restarted in the same frame; the last went back to
    // the menu in its frame.
    EXPECT_EQ(lives, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(over, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(backInMenu);
    ASSERT_EQ(SoundPaths(), (std::vector<std::string>{kSwoosh, kBuzzer}));
    EXPECT_TRUE(Blocking(fake::Sounds()[1]));
}

TEST(RoundOver, AFrameBothPausedAndOverRunsBothBlocks) {
    struct Case {
        const char* what;
        int key;
        bool inMenu, paused, roundOver;
        std::vector<std::string> sounds;  // after the swoosh and the pause sound
    };
    const std::vector<Case> cases{
        {"ESC: both blocks go to the menu, the buzzer twice",
         VK_ESCAPE,
         true,
         false,
         false,
         {kBuzzer, kBuzzer}},
        {"SPACE: resumes and restarts in one frame", VK_SPACE, false, false, false, {kMenu}},
        {"a new P: only resumes", 'P', false, false, true, {kMenu}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        WriteMap(1, DeadlyMap());
        StartGame();
        KeyDown('P');
        TickFrame();  // pauses, and the tick of the same frame kills
        KeyUp('P');
        Frames(1);
        int step = 0;
        Do([&] {
            ++step;
            EXPECT_TRUE(paused);
            EXPECT_TRUE(roundOver);
            EXPECT_EQ(OutcomeTexts(fake::LastFrame()),
                      (std::vector<PlacedText>{
                          {150, 200, "Player 1 died"}, kRestart, {525, 370, "PAUSE"}}));
        });
        KeyDown(c.key);
        Frames(1);
        Do([&] {
            ++step;
            EXPECT_EQ(inMenu, c.inMenu);
            EXPECT_EQ(paused, c.paused);
            EXPECT_EQ(roundOver, c.roundOver);
        });
        KeyUp(c.key);
        EXPECT_EQ(RunGame(), 0);
        EXPECT_EQ(step, 2);
        std::vector<std::string> sounds{kSwoosh, kMenu};
        sounds.insert(sounds.end(), c.sounds.begin(), c.sounds.end());
        EXPECT_EQ(SoundPaths(), sounds);
    }
}

TEST(RoundOver, TheOutcomeTextsForEveryOutcomeAndLives) {
    struct Case {
        RoundOutcome outcome;
        int lives1, lives2;
        std::vector<PlacedText> texts;
    };
    const PlacedText p1Died{150, 200, "Player 1 died"};
    const PlacedText p2Died{150, 200, "Player 2 died"};
    const PlacedText p1Over{150, 200, "Player 1: GAME OVER"};
    const PlacedText p2Over{150, 200, "Player 2: GAME OVER"};
    const PlacedText draw{170, 200, "Draw GAME"};
    const PlacedText both{170, 200, "Both died"};
    const PlacedText complete{150, 200, "LEVEL COMPLETE!"};
    const std::vector<Case> cases{
        {Player1Died, 2, 3, {p1Died, kRestart}},
        {Player1Died, 0, 3, {p1Over, kToMenu}},
        {Player1Died, 0, 0, {draw, kToMenu}},
        {Player2Died, 3, 2, {p2Died, kRestart}},
        {Player2Died, 3, 0, {p2Over, kToMenu}},
        {Player2Died, 0, 0, {draw, kToMenu}},
        // Player 1 lost its last life in the tick in which player 2 lost one
        // that was not its last: SPACE goes to the menu, and the texts say so.
        {Player2Died, 0, 2, {p1Over, kToMenu}},
        {BothDied, 2, 1, {both, kRestart}},
        {BothDied, 0, 1, {p1Over, kToMenu}},
        {BothDied, 1, 0, {p2Over, kToMenu}},
        {BothDied, 0, 0, {draw, kToMenu}},
        {LevelComplete, 3, 3, {complete, kToMenu}},
        {LevelComplete, 0, 3, {complete, kToMenu, p1Over, kToMenu}},
        {None, 3, 3, {}},
    };
    Fresh();
    int checked = 0;
    for (const Case& c : cases) {
        Do([&] {
            inMenu = isLoading = paused = false;
            roundOver = true;
            outcome = c.outcome;
            player1.lives = c.lives1;
            player2.lives = c.lives2;
        });
        Frames(1);
        Do([&] {
            ++checked;
            SCOPED_TRACE("outcome " + std::to_string(c.outcome) + ", lives " +
                         std::to_string(c.lives1) + " and " + std::to_string(c.lives2));
            EXPECT_EQ(OutcomeTexts(fake::LastFrame()), c.texts);
        });
    }
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(checked, static_cast<int>(cases.size()));
}

}  // namespace
