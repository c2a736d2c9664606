// The cursor, SPACE and the start-point keys, run through the whole editor.
#include "tests/editor/editor_fixture.h"

namespace editor_test {
namespace {

struct ArrowCase {
    const char* name;
    std::vector<std::pair<int, int>> keyDowns;  // key, number of key-down messages
    int x, y;
};

void PrintTo(const ArrowCase& c, std::ostream* out) { *out << c.name; }

class ArrowTest : public EditorTest, public ::testing::WithParamInterface<ArrowCase> {};

// Each key-down message moves one cell; a held key repeats by sending more.
TEST_P(ArrowTest, MovesOneCellPerKeyDownWithinOneTo58) {
    for (const auto& [vk, count] : GetParam().keyDowns) {
        for (int i = 0; i < count; ++i) {
            fake::PushKeyDown(vk);
            fake::PushFrames(2);
        }
        fake::PushKeyUp(vk);
        fake::PushFrames(1);
    }
    Run();
    EXPECT_EQ(cursorX, GetParam().x);
    EXPECT_EQ(cursorY, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ArrowTest,
    ::testing::Values(ArrowCase{"RightThree", {{VK_RIGHT, 3}}, 4, 1},
                      ArrowCase{"DownThree", {{VK_DOWN, 3}}, 1, 4},
                      ArrowCase{"RightStopsAt58", {{VK_RIGHT, 70}}, 58, 1},
                      ArrowCase{"DownStopsAt58", {{VK_DOWN, 70}}, 1, 58},
                      ArrowCase{"LeftStopsAt1", {{VK_LEFT, 3}}, 1, 1},
                      ArrowCase{"UpStopsAt1", {{VK_UP, 3}}, 1, 1},
                      ArrowCase{"LeftFrom58", {{VK_RIGHT, 60}, {VK_LEFT, 5}}, 53, 1},
                      ArrowCase{"UpFrom58", {{VK_DOWN, 60}, {VK_UP, 57}, {VK_UP, 4}}, 1, 1}),
    [](const auto& info) { return info.param.name; });

TEST_F(EditorTest, HeldArrowWithoutRepeatMovesOnceAndStaysSetAtTheEdge) {
    bool rightStillDown = true;
    bool upStillDown = false;
    fake::PushKeyDown(VK_RIGHT);
    fake::PushFrames(10);
    At([&] {
        EXPECT_EQ(cursorX, 2);
        rightStillDown = KeyState[VK_RIGHT] != 0;
    });
    fake::PushKeyUp(VK_RIGHT);
    fake::PushKeyDown(VK_UP);  // the cursor is already on row 1
    fake::PushFrames(3);
    At([&] { upStillDown = KeyState[VK_UP] != 0; });
    Run();
    EXPECT_FALSE(rightStillDown) << "the move consumes the key-down";
    EXPECT_TRUE(upStillDown) << "at the edge the key is left as it is";
    EXPECT_EQ(cursorX, 2);
    EXPECT_EQ(cursorY, 1);
}

struct SpaceCase {
    const char* name;
    std::int32_t start;
    int presses;
    std::int32_t result;
};

void PrintTo(const SpaceCase& c, std::ostream* out) { *out << c.name; }

class SpaceTest : public EditorTest, public ::testing::WithParamInterface<SpaceCase> {};

// Each press is held over several frames and still changes the cell once.
TEST_P(SpaceTest, ChangesTheCursorCellOncePerPress) {
    MapGrid grid = WalledGrid();
    grid.at(1, 1) = GetParam().start;
    WriteMap("Data/maps/mapdefault", grid);
    for (int i = 0; i < GetParam().presses; ++i) {
        Press(VK_SPACE, 5);
    }
    Run();
    EXPECT_EQ(editorGrid.at(1, 1), GetParam().result);
    grid.at(1, 1) = GetParam().result;
    EXPECT_EQ(editorGrid.cells, grid.cells) << "no other cell changes";
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         SpaceTest,
                         ::testing::Values(SpaceCase{"EmptyToWall", Empty, 1, Wall},
                                           SpaceCase{"WallToItem", Empty, 2, Item},
                                           SpaceCase{"ItemToEmpty", Empty, 3, Empty},
                                           SpaceCase{"AroundAgain", Empty, 4, Wall},
                                           SpaceCase{"Snake1ToEmpty", Snake1, 1, Empty},
                                           SpaceCase{"Snake2ToEmpty", Snake2, 1, Empty},
                                           SpaceCase{"SevenStays", 7, 3, 7},
                                           SpaceCase{"NegativeStays", -1, 2, -1}),
                         [](const auto& info) { return info.param.name; });

// A cell the SPACE key cannot change must not block the next cell's change:
// the latch is only set by a change.
TEST_F(EditorTest, SpaceHeldOntoAnUnknownCodeStillChangesTheNextCell) {
    MapGrid grid;
    grid.at(1, 1) = 7;
    WriteMap("Data/maps/mapdefault", grid);
    bool latchOnSeven = true;
    fake::PushKeyDown(VK_SPACE);
    fake::PushFrames(2);
    At([&] { latchOnSeven = spaceLatch; });
    fake::PushKeyDown(VK_RIGHT);
    fake::PushFrames(2);
    fake::PushKeyUp(VK_SPACE);
    fake::PushFrames(1);
    Run();
    EXPECT_FALSE(latchOnSeven);
    EXPECT_EQ(editorGrid.at(1, 1), 7);
    EXPECT_EQ(editorGrid.at(2, 1), Wall);
}

TEST_F(EditorTest, DigitsMarkStartCellsAndKeepEarlierOnes) {
    MapGrid grid;
    grid.at(1, 1) = Wall;
    grid.at(3, 1) = Item;
    WriteMap("Data/maps/mapdefault", grid);
    Press(Digit(1));  // on the wall at (1, 1)
    Press(VK_RIGHT);
    Press(Digit(1));  // a second start cell for player 1
    Press(VK_RIGHT);
    Press(Digit(2));  // on the item at (3, 1)
    Press(VK_DOWN);
    fake::PushKeyDown(Digit(1));  // both held: 2 is applied last
    fake::PushKeyDown(Digit(2));
    fake::PushFrames(1);
    fake::PushKeyUp(Digit(1));
    fake::PushKeyUp(Digit(2));
    fake::PushFrames(1);
    Run();
    EXPECT_EQ(editorGrid.at(1, 1), Snake1);
    EXPECT_EQ(editorGrid.at(2, 1), Snake1);
    EXPECT_EQ(editorGrid.at(3, 1), Snake2);
    EXPECT_EQ(editorGrid.at(3, 2), Snake2);
}

TEST_F(EditorTest, HoldingOneMarksEveryCellTheCursorStopsOn) {
    fake::PushKeyDown(Digit(1));
    fake::PushFrames(1);
    for (int i = 0; i < 3; ++i) {
        fake::PushKeyDown(VK_RIGHT);
        fake::PushFrames(1);
    }
    fake::PushKeyDown(VK_DOWN);
    fake::PushFrames(1);
    fake::PushKeyUp(Digit(1));
    fake::PushFrames(1);
    Run();
    MapGrid expected;
    for (int x = 1; x <= 4; ++x) {
        expected.at(x, 1) = Snake1;
    }
    expected.at(4, 2) = Snake1;
    EXPECT_EQ(editorGrid.cells, expected.cells);
}

TEST_F(EditorTest, HoldingNUndoesEditsInTheNextFrame) {
    MapGrid grid = WalledGrid();
    grid.at(1, 1) = Item;
    WriteMap("Data/maps/mapdefault", grid);
    std::int32_t marked = 0;
    std::int32_t afterNextFrame = 0;
    fake::PushKeyDown(kKeyN);
    fake::PushFrames(2);
    fake::PushKeyDown(Digit(2));  // marks after N's reload of this frame
    fake::PushFrames(1);
    At([&] { marked = editorGrid.at(1, 1); });
    fake::PushKeyUp(Digit(2));
    fake::PushFrames(1);
    At([&] { afterNextFrame = editorGrid.at(1, 1); });
    Press(VK_SPACE);  // changed and reloaded within one frame
    fake::PushKeyUp(kKeyN);
    fake::PushFrames(1);
    Run();
    EXPECT_EQ(marked, Snake2);
    EXPECT_EQ(afterNextFrame, Item);
    EXPECT_EQ(editorGrid.cells, grid.cells);
}

TEST_F(EditorTest, NWithoutADefaultMapClearsTheGrid) {
    Press(VK_SPACE);
    Press(VK_RIGHT);
    Press(Digit(1));
    Press(kKeyN);
    Run();
    EXPECT_EQ(editorGrid.cells, MapGrid{}.cells);
}

// No key reaches the outer ring: the border of a loaded slot is written back
// as it was read, whatever it holds.
TEST_F(EditorTest, OuterRingIsCarriedOverFromLoadedToSavedSlot) {
    MapGrid grid = WalledGrid();
    grid.at(0, 0) = Item;
    grid.at(59, 0) = Snake1;
    grid.at(0, 59) = Snake2;
    grid.at(30, 59) = Empty;
    grid.at(20, 20) = Item;
    WriteMap("Data/maps/map1", grid);
    Press(kKeyL);
    Press(Digit(1));
    for (int i = 0; i < 5; ++i) {  // pushes against the top-left corner
        Press(VK_UP);
        Press(VK_LEFT);
    }
    Press(VK_SPACE);
    Press(Digit(2));
    for (int i = 0; i < 65; ++i) {  // and against the bottom-right one
        fake::PushKeyDown(VK_DOWN);
        fake::PushKeyDown(VK_RIGHT);
        fake::PushFrames(1);
    }
    fake::PushKeyUp(VK_DOWN);
    fake::PushKeyUp(VK_RIGHT);
    Press(VK_SPACE);
    Press(kKeyS);
    Press(Digit(3));
    Run();
    MapGrid expected = grid;
    expected.at(1, 1) = Snake2;
    expected.at(58, 58) = Wall;
    EXPECT_EQ(ReadMapValues("Data/maps/map3").cells, expected.cells);
    EXPECT_EQ(ReadMapValues("Data/maps/map1").cells, grid.cells) << "the loaded slot is untouched";
}

}  // namespace
}  // namespace editor_test
