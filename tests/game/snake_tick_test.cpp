#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/gl_window.h"
#include "game/game_state.h"
#include "game/snake_tick.h"
#include "tests/fake/fake_platform.h"
#include "tests/game/board_fixture.h"

namespace {

using Rows = std::vector<std::string>;

// An open field with a wall ring and one item out of the way, so that a
// one-player round is not complete at once.
void StartOpenRound(bool twoPlayers = false) {
    board::Start(
        {
            "##########",
            "#........#",
            "#........#",
            "#........#",
            "#...A....#",
            "#........#",
            "#........#",
            "#*.......#",
            "##########",
        },
        twoPlayers);
}

int ArrowFor(Direction d) {
    switch (d) {
        case Up: return VK_UP;
        case Right: return VK_RIGHT;
        case Down: return VK_DOWN;
        default: return VK_LEFT;
    }
}

int LetterFor(Direction d) {
    switch (d) {
        case Up: return 'W';
        case Right: return 'D';
        case Down: return 'S';
        default: return 'A';
    }
}

// ---------------------------------------------------------------------------
// Steering

struct SteerCase {
    const char* what;
    Direction heading;
    std::vector<Direction> held;
    Direction expected;
};

TEST(Steering, KeysAreTestedAgainstTheCurrentDirectionInTheirOrder) {
    const std::vector<SteerCase> cases{
        {"the opposite alone is refused", Up, {Down}, Up},
        {"left and right together: left wins", Up, {Left, Right}, Left},
        {"up and down while heading right: down wins", Right, {Up, Down}, Down},
        {"all four while heading up: left wins", Up, {Up, Right, Down, Left}, Left},
        {"all four while heading right: down wins", Right, {Up, Right, Down, Left}, Down},
        {"all four while heading left: left wins", Left, {Up, Right, Down, Left}, Left},
        {"no key keeps the heading", Left, {}, Left},
    };
    for (const SteerCase& c : cases) {
        SCOPED_TRACE(c.what);
        StartOpenRound(true);
        player1.currentDirection = player1.requestedDirection = c.heading;
        player2.currentDirection = player2.requestedDirection = c.heading;
        KeyState.fill(0);
        for (Direction d : c.held) {
            KeyState[ArrowFor(d)] = 1;
            KeyState[LetterFor(d)] = 1;
        }
        board::IdleFrame();
        EXPECT_EQ(player1.requestedDirection, c.expected);
        EXPECT_EQ(player2.requestedDirection, c.expected);
    }
}

TEST(Steering, NoSequenceOfPressesBetweenTwoTicksTurnsTheSnakeBack) {
    StartOpenRound();
    board::Hold({VK_RIGHT});
    board::IdleFrame();
    board::Hold({});
    board::IdleFrame();
    board::Hold({VK_DOWN});  // refused against the current Up, not the pending Right
    board::IdleFrame();
    board::TickFrame();
    EXPECT_EQ(player1.currentDirection, Right);
    EXPECT_EQ(player1.x, 5);
    EXPECT_EQ(player1.y, 4);
    EXPECT_FALSE(roundOver);
}

TEST(Steering, AtTheStartNeitherSnakeCanTurnBackBeforeItsFirstMove) {
    board::Start(
        {
            "#######",
            "#..B..#",
            "#.....#",
            "#.....#",
            "#..A..#",
            "#######",
        },
        true);
    board::Hold({VK_DOWN, 'W'});
    board::TickFrame();
    EXPECT_EQ(player1.y, 3);  // went on Up
    EXPECT_EQ(player2.y, 2);  // went on Down
    EXPECT_FALSE(roundOver);
}

TEST(Steering, PlayerTwoKeysDoNotMoveAnythingInAOnePlayerRound) {
    StartOpenRound();
    player2.x = 2;
    player2.y = 2;
    board::Hold({'D'});
    board::TickFrame();
    EXPECT_EQ(player2.x, 2);
    EXPECT_EQ(player2.y, 2);
    EXPECT_EQ(player2.length, 1);
    EXPECT_EQ(player1.y, 3);
}

// ---------------------------------------------------------------------------
// Length and tails

TEST(SnakeLength, SettlesAtTwicePointsPlusTwoAndGrowsByTwoPerItem) {
    board::Start(
        {
            "############",
            "#A...*.....#",
            "############",
            "#*#",
        },
        false);
    board::Hold({VK_RIGHT});
    const Rows expected{
        "#11..*.....#",  // 0 points: two cells from the first tick on
        "#.11.*.....#",
        "#..11*.....#",
        "#..111.....#",  // ate: three cells after that tick
        "#..1111....#",  // and four from the next tick on
        "#...1111...#",
    };
    EXPECT_EQ(board::Rows(12, 2)[1], "#1...*.....#");
    for (size_t tick = 0; tick < expected.size(); ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick + 1));
        board::TickFrame();
        EXPECT_EQ(board::Rows(12, 2)[1], expected[tick]);
        EXPECT_EQ(player1.length, board::Count(Snake1));
    }
    EXPECT_EQ(player1.points, 1);
    EXPECT_EQ(itemCount, 1);
    EXPECT_FALSE(roundOver);
}

TEST(SnakeLength, AfterARestartTheSnakeGrowsOneCellPerTickUpToItsPoints) {
    board::Start(
        {
            "############",
            "#A.........#",
            "############",
            "#*#",
        },
        false);
    player1.points = 2;  // carried over from the rounds before
    board::Hold({VK_RIGHT});
    const Rows expected{
        "#11........#",
        "#111.......#",
        "#1111......#",
        "#11111.....#",
        "#111111....#",
        "#.111111...#",
        "#..111111..#",
    };
    for (size_t tick = 0; tick < expected.size(); ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick + 1));
        board::TickFrame();
        EXPECT_EQ(board::Rows(12, 2)[1], expected[tick]);
    }
    EXPECT_EQ(player1.length, 6);
}

TEST(SnakeLength, TailsShrinkByAtMostOneCellPerFrame) {
    StartOpenRound();
    player1.points = 1;
    board::Hold({VK_RIGHT});
    for (int i = 0; i < 3; ++i) board::TickFrame();
    ASSERT_EQ(player1.length, 4);
    player1.points = 0;  // now two cells too long
    const std::vector<int> lengths{3, 2, 2};
    for (int expected : lengths) {
        board::IdleFrame();
        EXPECT_EQ(player1.length, expected);
        EXPECT_EQ(board::Count(Snake1), expected);
    }
}

TEST(SnakeTick, AFourCellSnakeTurningInATwoByTwoSquareRunsIntoItsTail) {
    board::Start(
        {
            "#######",
            "#.....#",
            "#A....#",
            "#.....#",
            "#######",
            "#*#",
        },
        false);
    player1.points = 1;
    const std::vector<int> turns{VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_LEFT};
    for (int key : turns) {
        board::Hold({key});
        board::TickFrame();
    }
    EXPECT_EQ(board::Rows(7, 5),
              (Rows{
                  "#######",
                  "#.....#",
                  "#..11.#",
                  "#..11.#",
                  "#######",
              }));
    ASSERT_FALSE(roundOver);
    board::Hold({VK_UP});
    board::TickFrame();
    EXPECT_TRUE(roundOver);
    EXPECT_EQ(outcome, Player1Died);
    EXPECT_EQ(player1.lives, 2);
    EXPECT_EQ(player1.x, 3);
    EXPECT_EQ(player1.y, 2);
}

// ---------------------------------------------------------------------------
// Two snakes

struct MeetingCase {
    const char* what;
    const char* row;  // row 1 of a field walled above and below
    int p1Key, p2Key;
    RoundOutcome outcome;
    int lives1, lives2, points1, points2;
};

TEST(SnakeTick, TwoSnakesMeetingFollowTheRowOrderOfBothTables) {
    const std::vector<MeetingCase> cases{
        {"heads enter the same empty cell", "#A.B#", VK_RIGHT, 'A', BothDied, 2, 2, 0, 0},
        {"heads enter the same item", "#A*B#", VK_RIGHT, 'A', BothDied, 2, 2, 1, 0},
        {"heads enter the same wall", "#A#B#", VK_RIGHT, 'A', BothDied, 1, 2, 0, 0},
        {"heads swap cells", "#.AB.#", VK_RIGHT, 'A', Player2Died, 2, 2, 0, 0},
        {"player 2 dies after player 1", "#A#.#B#", VK_RIGHT, 'A', Player2Died, 2, 2, 0, 0},
        {"player 1 dies while player 2 eats", "#A#*B#", VK_RIGHT, 'A', Player1Died, 2, 3, 0, 1},
    };
    for (const MeetingCase& c : cases) {
        SCOPED_TRACE(c.what);
        board::Start({"#######", c.row, "#######"}, true);
        board::Hold({c.p1Key, c.p2Key});
        board::TickFrame();
        EXPECT_TRUE(roundOver);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(player1.lives, c.lives1);
        EXPECT_EQ(player2.lives, c.lives2);
        EXPECT_EQ(player1.points, c.points1);
        EXPECT_EQ(player2.points, c.points2);
        // Whatever was eaten, the round has its one item again in this frame.
        EXPECT_EQ(itemCount, 1);
        EXPECT_EQ(board::Count(Item), 1);
        EXPECT_TRUE(fake::Sounds().empty()) << "a death is silent";
    }
}

TEST(SnakeTick, HeadsMeetingOnAnEmptyCellLeavePlayerOnesBodyThere) {
    board::Start({"#####", "#A.B#", "#####"}, true);
    board::Hold({VK_RIGHT, 'A'});
    board::TickFrame();
    EXPECT_EQ(playfield.at(2, 1), Snake1);
    // The history grew for both, also at the tick of the death.
    EXPECT_EQ(historyIndex, 2);
    EXPECT_EQ(player2.historyX[1], 2);
}

TEST(SnakeTick, ACellWithAnUnknownCodeIsPassedThroughAndEmptiedByTheTail) {
    for (const char* code : {"?", "~"}) {
        SCOPED_TRACE(code);
        const std::string row = std::string("#A") + code + "...#";
        board::Start({"#######", row, "#######", "#*#"}, false);
        const char c = code[0];
        board::Hold({VK_RIGHT});
        const Rows expected{
            std::string("#1") + c + "...#",  // the head is on it; it keeps its code
            std::string("#.") + c + "1..#",
            "#..11.#",  // the tail has left it
        };
        for (const std::string& after : expected) {
            board::TickFrame();
            EXPECT_EQ(board::Rows(7, 2)[1], after);
        }
        EXPECT_FALSE(roundOver);
        EXPECT_EQ(player1.points, 0);
        EXPECT_EQ(player1.lives, 3);
    }
}

TEST(SnakeTick, TheLastItemEndsTheLevelWithTheWinSoundPlayedToItsEnd) {
    board::Start({"#####", "#A*.#", "#####"}, false);
    board::Hold({VK_RIGHT});
    fake::SetSyncSoundLengthMs(500);
    board::TickFrame();
    EXPECT_TRUE(roundOver);
    EXPECT_EQ(outcome, LevelComplete);
    EXPECT_EQ(player1.lives, 3);
    EXPECT_EQ(player1.points, 1);
    ASSERT_EQ(fake::Sounds().size(), 1u);
    EXPECT_EQ(fake::Sounds()[0].path, "Data/sounds/ingame/win.wav");
    EXPECT_EQ(fake::Sounds()[0].flags & SND_ASYNC, 0u);
    // The tick's end time was taken before the blocking sound.
    EXPECT_LT(fake::Sounds()[0].clockMs - lastTickTime, 1.0);
}

TEST(SnakeTick, EscAndPActInTheFrameAndADueTickStillRuns) {
    struct Case {
        int key;
        const char* sound;
        bool* flag;
    };
    for (const Case& c : {Case{VK_ESCAPE, "Data/sounds/menu/buzzer.wav", &inMenu},
                          Case{'P', "Data/sounds/menu/menu.wav", &paused}}) {
        SCOPED_TRACE(c.sound);
        StartOpenRound();
        board::Hold({c.key});
        board::TickFrame();
        EXPECT_TRUE(*c.flag);
        ASSERT_EQ(fake::Sounds().size(), 1u);
        EXPECT_EQ(fake::Sounds()[0].path, c.sound);
        EXPECT_EQ(fake::Sounds()[0].flags & SND_ASYNC, 0u) << "played to its end";
        EXPECT_EQ(player1.y, 3) << "the due tick ran";
    }
}

TEST(SnakeTick, PauseActsOncePerPress) {
    StartOpenRound();
    board::Hold({'P'});
    board::IdleFrame();
    ASSERT_TRUE(paused);
    EXPECT_TRUE(pauseLatch);
    paused = false;  // as if resumed by SPACE with P still held
    board::IdleFrame();
    EXPECT_FALSE(paused);
    EXPECT_EQ(fake::Sounds().size(), 1u);
}

// ---------------------------------------------------------------------------
// Timing

TEST(TickTiming, ATickComesAtTheFirstFrameOneIntervalAfterTheLastTickEnded) {
    struct Case {
        int speed;
        std::vector<double> tickTimes;  // with a frame every 16 ms from 0
    };
    const std::vector<Case> cases{
        {1, {208, 416, 624}},
        {2, {112, 224, 336}},
        {3, {64, 128, 192}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("speed " + std::to_string(c.speed));
        StartOpenRound();
        speedLevel = c.speed;
        std::vector<double> ticks;
        for (double t = 16; t <= c.tickTimes.back(); t += 16) {
            fake::SetClockMs(t);
            const int before = historyIndex;
            board::IdleFrame();
            if (historyIndex != before) ticks.push_back(t);
            if (roundOver) break;
            // keep the snake going round so that it stays alive
            player1.requestedDirection = player1.currentDirection == Up ? Right : Up;
        }
        EXPECT_EQ(ticks, c.tickTimes);
    }
}

TEST(TickTiming, MissedTicksAreNotMadeUp) {
    StartOpenRound();
    fake::SetClockMs(350);  // three intervals late
    board::IdleFrame();
    EXPECT_EQ(historyIndex, 2);
    board::IdleFrame();
    EXPECT_EQ(historyIndex, 2);
    fake::SetClockMs(449);
    board::IdleFrame();
    EXPECT_EQ(historyIndex, 2);
    fake::SetClockMs(451);
    board::IdleFrame();
    EXPECT_EQ(historyIndex, 3);
}

// ---------------------------------------------------------------------------
// Long rounds, open borders and full fields

// A two-cell snake going round a 3 by 3 loop for longer than the history is
// long: it keeps exactly its two cells.
TEST(SnakeTick, ARoundMayLastLongerThanTheHistoryHoldsTicks) {
    board::Start(
        {
            "#####",
            "#...#",
            "#.#.#",
            "#A..#",
            "#####",
            "#*#",
        },
        false);
    const int walls = board::Count(Wall);
    const int ticks = kHistorySize + 5000;
    for (int i = 0; i < ticks; ++i) {
        // Clockwise round the inner wall.
        if (player1.x == 1 && player1.y == 3) board::Hold({VK_UP});
        if (player1.x == 1 && player1.y == 1) board::Hold({VK_RIGHT});
        if (player1.x == 3 && player1.y == 1) board::Hold({VK_DOWN});
        if (player1.x == 3 && player1.y == 3) board::Hold({VK_LEFT});
        board::TickFrame();
        ASSERT_FALSE(roundOver) << "tick " << i;
    }
    EXPECT_EQ(player1.length, 2);
    EXPECT_EQ(board::Count(Snake1), 2);
    EXPECT_EQ(board::Count(Wall), walls);
    EXPECT_EQ(board::Count(Item), 1);
    EXPECT_LT(historyIndex, kHistorySize);
}

// The same moves give the same field wherever in the history ring the round
// starts, also across its end.
TEST(SnakeTick, TheHistoryRingWrapsWithoutChangingWhatHappens) {
    auto play = [](int firstHistoryIndex) {
        board::Start(
            {
                "#########",
                "#......B#",
                "#...A...#",
                "#..*....#",
                "#########",
            },
            true,
            firstHistoryIndex);
        std::vector<Rows> fields;
        for (int key : {VK_LEFT, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_UP, VK_UP}) {
            board::Hold({key, 'A'});
            board::TickFrame();
            fields.push_back(board::Rows(9, 5));
        }
        return fields;
    };
    const std::vector<Rows> reference = play(1);
    for (int first : {kHistorySize - 3, kHistorySize - 1, 0}) {
        SCOPED_TRACE("history starts at " + std::to_string(first));
        EXPECT_EQ(play(first), reference);
        EXPECT_EQ(player1.length, 4);
    }
}

struct EdgeCase {
    const char* what;
    int x, y;
    int key;  // 0: keep heading Up
};

TEST(SnakeTick, AHeadLeavingTheFieldMeetsAWallAndTouchesNothing) {
    const std::vector<EdgeCase> cases{
        {"empty field, start at column 0 row 0", 0, 0, 0},
        {"left edge", 0, 30, VK_LEFT},
        {"right edge", 59, 30, VK_RIGHT},
        {"top edge", 30, 0, VK_UP},
        {"bottom edge", 30, 59, VK_DOWN},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.what);
        board::Start({}, false);
        playfield.at(10, 10) = Item;
        itemCount = 1;
        player1.x = c.x, player1.y = c.y;
        board::StartSnake(player1, c.key == VK_DOWN ? Right : Up);
        playfield.at(c.x, c.y) = Snake1;
        const MapGrid before = playfield;
        KeyState.fill(0);
        if (c.key) KeyState[c.key] = 1;
        board::TickFrame();
        EXPECT_TRUE(roundOver);
        EXPECT_EQ(outcome, Player1Died);
        EXPECT_EQ(player1.lives, 2);
        EXPECT_EQ(playfield.cells, before.cells);
    }
}

TEST(SnakeTick, BothHeadsLeavingTheFieldAtTheSameCellCostPlayerOneTwoLives) {
    board::Start({}, true);
    // Both on column 0, row 5, both stepping left onto (-1, 5).
    player1.x = player2.x = 0;
    player1.y = player2.y = 5;
    board::StartSnake(player1, Left);
    board::StartSnake(player2, Left);
    board::TickFrame();
    EXPECT_EQ(outcome, BothDied);
    EXPECT_EQ(player1.lives, 1);
    EXPECT_EQ(player2.lives, 2);
}

TEST(SnakeTick, ATailCellOutsideTheFieldIsNotWritten) {
    board::Start({}, false);
    player1.historyX[0] = -1;
    player1.historyY[0] = 5;
    player1.tailIndex = 0;
    player1.length = 2;
    const MapGrid before = playfield;
    TrimTail(player1);
    EXPECT_EQ(playfield.cells, before.cells);
    EXPECT_EQ(player1.tailIndex, 1);
    EXPECT_EQ(player1.length, 1);
}

TEST(TwoPlayerItem, NoFreeCellMeansNoItemThisFrameAndTheGameGoesOn) {
    board::Start({}, true);
    for (int y = 1; y < kMapSize - 1; ++y)
        for (int x = 1; x < kMapSize - 1; ++x) playfield.at(x, y) = Wall;
    // The outer ring is empty, but items never go there.
    playfield.at(5, 5) = Snake1;
    player1.x = player1.y = 5;
    playfield.at(9, 9) = Snake2;
    player2.x = player2.y = 9;
    board::IdleFrame();
    EXPECT_EQ(itemCount, 0);
    EXPECT_EQ(board::Count(Item), 0);
    board::IdleFrame();
    EXPECT_EQ(itemCount, 0);

    playfield.at(30, 40) = Empty;
    board::IdleFrame();
    EXPECT_EQ(itemCount, 1);
    EXPECT_EQ(playfield.at(30, 40), Item);
}

TEST(TwoPlayerItem, IsPlacedOnAnEmptyInnerCell) {
    board::Start({}, true);
    for (int round = 0; round < 50; ++round) {
        itemCount = 0;
        for (auto& row : playfield.cells) row.fill(Empty);
        board::IdleFrame();
        ASSERT_EQ(itemCount, 1);
        ASSERT_EQ(board::Count(Item), 1);
        for (int i = 0; i < kMapSize; ++i) {
            EXPECT_NE(playfield.at(i, 0), Item);
            EXPECT_NE(playfield.at(i, kMapSize - 1), Item);
            EXPECT_NE(playfield.at(0, i), Item);
            EXPECT_NE(playfield.at(kMapSize - 1, i), Item);
        }
    }
}

}  // namespace
