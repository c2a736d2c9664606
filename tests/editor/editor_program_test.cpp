// Start-up, end, the F1 switch, the help box and the picture list of the
// editor program.
#include "tests/editor/editor_fixture.h"

namespace editor_test {
namespace {

const char* const kExpectedHelp =
    "Trevla_edit (ZBQ) V1.0\r\n"
    "Trevla project - bugs and ideas welcome\r\n"
    "\n"
    "KEY : FUNCTION\r\n"
    "\n"
    "SPACE   switch between wall/item/empty\r\n"
    "1            set start point for 1st player\r\n"
    "2            set startpoint for 2nd player\r\n"
    "(Please only set one point for one player)\r\n"
    "N       new map\r\n"
    "L        load map\r\n"
    "S       save map\r\n"
    "F1      change to fullscreen\r\n"
    "ESC   quit";

TEST_F(EditorTest, StartsWindowedWithTheDefaultMapAndTheCursorOnOneOne) {
    MapGrid grid = WalledGrid();
    grid.at(30, 30) = Snake1;
    WriteMap("Data/maps/mapdefault", grid);
    bool fullscreen = true;
    bool visible = false;
    std::string title;
    fake::PushFrames(1);
    At([&] {
        fullscreen = fake::WindowFullscreen() || glWindow.fullscreen;
        visible = fake::WindowVisible();
        title = fake::WindowTitle();
        EXPECT_EQ(cursorX, 1);
        EXPECT_EQ(cursorY, 1);
        EXPECT_FALSE(loadPrompt);
        EXPECT_FALSE(savePrompt);
        EXPECT_EQ(mapSlot, kDefaultMapSlot);
        EXPECT_EQ(editorGrid.cells, grid.cells);
    });
    Run();
    EXPECT_FALSE(fullscreen);
    EXPECT_TRUE(visible);
    EXPECT_EQ(title, "Trevla_edit - SnAkE");
    EXPECT_TRUE(fake::Boxes().empty());
}

TEST_F(EditorTest, StartsWithAnEmptyGridWhenTheDefaultMapIsMissing) {
    editorGrid.at(10, 10) = Wall;  // left over from an earlier run
    fake::PushFrames(1);
    Run();
    EXPECT_EQ(editorGrid.cells, MapGrid{}.cells);
    EXPECT_TRUE(fake::Boxes().empty());
}

// The default map is read before the window exists: a window that cannot be
// made still leaves it loaded, and the program ends with 0 and no frame.
TEST_F(EditorTest, WindowFailureEndsAfterTheDefaultMapWasRead) {
    MapGrid grid = WalledGrid();
    WriteMap("Data/maps/mapdefault", grid);
    fake::FailNext(fake::Op::CreateWindowExA);
    fake::PushFrames(3);
    Run();
    EXPECT_EQ(editorGrid.cells, grid.cells);
    EXPECT_EQ(fake::SwapCount(), 0);
    ASSERT_FALSE(fake::Boxes().empty());
    EXPECT_EQ(fake::Boxes().back().text, "Window Creation Error.");
}

class MissingPictureTest : public EditorTest, public ::testing::WithParamInterface<int> {};

// Every file of the list is needed; any one missing stops the editor at start.
TEST_P(MissingPictureTest, EndsTheEditorAtStart) {
    std::filesystem::remove(kEditorTextureFiles[GetParam()]);
    fake::PushFrames(3);
    Run();
    EXPECT_EQ(fake::SwapCount(), 0);
    ASSERT_EQ(fake::Boxes().size(), 2u);
    EXPECT_EQ(fake::Boxes()[0].text, "Loading Textures failed.");
    EXPECT_EQ(fake::Boxes()[1].text, "Initialization Failed.");
    EXPECT_FALSE(fake::WindowExists());
}

INSTANTIATE_TEST_SUITE_P(Files, MissingPictureTest, ::testing::Range(0, 11));

TEST_F(EditorTest, HeldHShowsTheHelpBoxOncePerPress) {
    std::size_t boxesWhileHeld = 0;
    fake::PushKeyDown(kKeyH);
    fake::PushFrames(5);
    At([&] { boxesWhileHeld = fake::Boxes().size(); });
    fake::PushKeyDown(kKeyH);  // a key-down repeat does not show it again
    fake::PushFrames(2);
    fake::PushKeyUp(kKeyH);
    fake::PushFrames(1);
    Press(kKeyH, 3);
    Run();
    EXPECT_EQ(boxesWhileHeld, 1u);
    ASSERT_EQ(fake::Boxes().size(), 2u);
    for (const fake::Box& box : fake::Boxes()) {
        EXPECT_EQ(box.text, kExpectedHelp);
        EXPECT_EQ(box.caption, "Help");
        EXPECT_EQ(box.type, MB_OK);
        EXPECT_FALSE(box.owned);
    }
}

TEST_F(EditorTest, F1SwitchesModesOncePerKeyDownAndKeepsTheMap) {
    bool fullAfterFirst = false;
    bool f1Cleared = false;
    Press(VK_SPACE);
    Press(VK_RIGHT);
    fake::PushKeyDown(VK_F1);
    fake::PushFrames(3);
    At([&] {
        fullAfterFirst = fake::WindowFullscreen() && glWindow.fullscreen;
        f1Cleared = KeyState[VK_F1] == 0;
    });
    fake::PushKeyUp(VK_F1);
    Press(VK_F1);
    fake::Frame frame;
    fake::PushFrames(1);
    At([&] { frame = fake::LastFrame(); });
    Run();
    EXPECT_TRUE(fullAfterFirst);
    EXPECT_TRUE(f1Cleared);
    EXPECT_FALSE(glWindow.fullscreen);
    EXPECT_EQ(fake::CallCount("CreateWindowExA"), 3);
    EXPECT_EQ(fake::WindowTitle(), "Trevla_edit - SnAkE");
    EXPECT_EQ(cursorX, 2);
    EXPECT_EQ(editorGrid.at(1, 1), Wall);
    ASSERT_EQ(frame.quads.size(), 3601u);
    EXPECT_EQ(frame.quads[1 * kMapSize + 1].texture, TextureTable[5]) << "pictures made anew";
}

// A failed switch has already reported and cleaned up: the editor ends at once.
TEST_F(EditorTest, FailedF1SwitchEndsAtOnce) {
    fake::PushFrames(1);
    At([] { fake::FailNext(fake::Op::CreateWindowExA); });
    fake::PushKeyDown(VK_F1);
    fake::PushFrames(5);
    Run();
    EXPECT_EQ(fake::SwapCount(), 2);
    EXPECT_FALSE(fake::ScriptEmpty());
    EXPECT_FALSE(fake::WindowExists());
    ASSERT_FALSE(fake::Boxes().empty());
    EXPECT_EQ(fake::Boxes().back().text, "Window Creation Error.");
}

// Closing the window ends the loop and releases everything; nothing is saved.
TEST_F(EditorTest, ClosingEndsWithoutSavingAndReleasesTheWindow) {
    Press(VK_SPACE);
    fake::PushClose();
    fake::PushFrames(5);  // not reached
    Run();
    EXPECT_FALSE(fake::WindowExists());
    EXPECT_FALSE(fake::ClassRegistered());
    EXPECT_FALSE(fake::ContextCurrent());
    EXPECT_EQ(fake::ListsAlive(), 0);
    EXPECT_TRUE(std::filesystem::is_empty("Data/maps"));
    EXPECT_TRUE(fake::Boxes().empty());
}

TEST_F(EditorTest, EscEndsAfterTheRestOfItsFrame) {
    fake::PushKeyDown(VK_ESCAPE);
    fake::PushKeyDown(VK_SPACE);  // same frame: still acts
    fake::PushFrames(4);
    Run();
    EXPECT_EQ(fake::SwapCount(), 1);
    EXPECT_EQ(editorGrid.at(1, 1), Wall);
    EXPECT_FALSE(fake::WindowExists());
}

}  // namespace
}  // namespace editor_test
