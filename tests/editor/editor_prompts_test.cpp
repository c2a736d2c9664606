// The load and save prompts and the N key, run through the whole editor.
#include <cerrno>

#include "mapfile/atomic_file.h"
#include "tests/editor/editor_fixture.h"

namespace editor_test {
namespace {

// One step of a prompt script: keys pressed down together for one frame, then
// released, then one more frame.
using Chord = std::vector<int>;

void PressChord(const Chord& keys) {
    for (int vk : keys) {
        fake::PushKeyDown(vk);
    }
    fake::PushFrames(1);
    for (int vk : keys) {
        fake::PushKeyUp(vk);
    }
    fake::PushFrames(1);
}

struct PromptCase {
    const char* name;
    std::vector<Chord> chords;
    bool load, save;
};

void PrintTo(const PromptCase& c, std::ostream* out) { *out << c.name; }

class PromptStateTest : public EditorTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(PromptStateTest, FollowsTheKeys) {
    for (const Chord& chord : GetParam().chords) {
        PressChord(chord);
    }
    bool load = false;
    bool save = false;
    At([&] {
        load = loadPrompt;
        save = savePrompt;
    });
    Run();
    EXPECT_EQ(load, GetParam().load);
    EXPECT_EQ(save, GetParam().save);
    for (int d = 1; d <= 5; ++d) {
        EXPECT_FALSE(std::filesystem::exists("Data/maps/map" + std::to_string(d)))
            << "no case here saves";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    PromptStateTest,
    ::testing::Values(PromptCase{"NoneAtStart", {}, false, false},
                      PromptCase{"LOpensLoad", {{kKeyL}}, true, false},
                      PromptCase{"SOpensSave", {{kKeyS}}, false, true},
                      PromptCase{"LAndSTogetherOpenLoad", {{kKeyL, kKeyS}}, true, false},
                      PromptCase{"ZeroAbortsLoad", {{kKeyL}, {Digit(0)}}, false, false},
                      PromptCase{"ZeroAbortsSave", {{kKeyS}, {Digit(0)}}, false, false},
                      PromptCase{"ZeroWithoutPromptDoesNothing", {{Digit(0)}}, false, false},
                      PromptCase{"SDuringLoadDoesNothing", {{kKeyL}, {kKeyS}}, true, false},
                      PromptCase{"LDuringSaveDoesNothing", {{kKeyS}, {kKeyL}}, false, true},
                      PromptCase{"NKeepsLoadOpen", {{kKeyL}, {kKeyN}}, true, false},
                      PromptCase{"NKeepsSaveOpen", {{kKeyS}, {kKeyN}}, false, true},
                      PromptCase{"KeypadDigitIsNoSlot", {{kKeyL}, {VK_NUMPAD0 + 1}}, true, false},
                      PromptCase{"ReopenAfterAbort", {{kKeyL}, {Digit(0)}, {kKeyS}}, false, true}),
    [](const auto& info) { return info.param.name; });

class SlotTest : public EditorTest, public ::testing::WithParamInterface<int> {};

TEST_P(SlotTest, LoadPromptLoadsTheSlotWithoutMarkingAStartCell) {
    const int slot = GetParam();
    MapGrid grid = WalledGrid();
    grid.at(1, 1) = Item;
    grid.at(10, 10 + slot) = Wall;
    WriteMap("Data/maps/map" + std::to_string(slot), grid);
    Press(VK_SPACE);  // an edit that the load discards
    Press(VK_DOWN);
    Press(kKeyL);
    bool digitStillDown = true;
    fake::PushKeyDown(Digit(slot));
    fake::PushFrames(3);  // held without repeat: acts once, as the slot choice
    At([&] { digitStillDown = KeyState[Digit(slot)] != 0; });
    fake::PushKeyUp(Digit(slot));
    fake::PushFrames(1);
    Run();
    EXPECT_FALSE(digitStillDown);
    EXPECT_FALSE(loadPrompt);
    EXPECT_EQ(mapSlot, slot);
    EXPECT_EQ(editorGrid.cells, grid.cells);
}

TEST_P(SlotTest, SavePromptWritesTheSlotsFile) {
    const int slot = GetParam();
    const std::string path = "Data/maps/map" + std::to_string(slot);
    fake::WriteFile(path, std::string(20000, '1'));  // an older, longer file
    Press(VK_SPACE);
    Press(VK_RIGHT);
    Press(Digit(1));
    Press(kKeyS);
    Press(Digit(slot));
    Run();
    EXPECT_FALSE(savePrompt);
    MapGrid expected;
    expected.at(1, 1) = Wall;
    expected.at(2, 1) = Snake1;
    EXPECT_EQ(ReadMapValues(path).cells, expected.cells);
    EXPECT_EQ(editorGrid.cells, expected.cells) << "the digit chose a slot, it set no start cell";
    EXPECT_TRUE(fake::Boxes().empty());
    for (int d = 1; d <= 5; ++d) {
        if (d != slot) {
            EXPECT_FALSE(std::filesystem::exists("Data/maps/map" + std::to_string(d)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Slots, SlotTest, ::testing::Range(1, 6));

// A key-down repeat of the slot digit after the prompt has closed is an
// ordinary 1 again.
TEST_F(EditorTest, RepeatedDigitAfterLoadMarksTheStartCell) {
    WriteMap("Data/maps/map1", WalledGrid());
    Press(kKeyL);
    fake::PushKeyDown(Digit(1));
    fake::PushFrames(1);
    std::int32_t afterChoice = -1;
    At([&] { afterChoice = editorGrid.at(1, 1); });
    fake::PushKeyDown(Digit(1));
    fake::PushFrames(1);
    fake::PushKeyUp(Digit(1));
    fake::PushFrames(1);
    Run();
    EXPECT_EQ(afterChoice, Empty);
    EXPECT_EQ(editorGrid.at(1, 1), Snake1);
}

TEST_F(EditorTest, LoadingAMissingSlotGivesAnEmptyGrid) {
    WriteMap("Data/maps/mapdefault", WalledGrid());
    Press(kKeyL);
    Press(Digit(5));
    Run();
    EXPECT_EQ(editorGrid.cells, MapGrid{}.cells);
    EXPECT_FALSE(std::filesystem::exists("Data/maps/map5"));
}

TEST_F(EditorTest, AbortedSaveWritesNothing) {
    Press(VK_SPACE);
    Press(kKeyS);
    Press(Digit(0));
    Press(Digit(4));  // now an ordinary 4: nothing
    Run();
    EXPECT_FALSE(savePrompt);
    EXPECT_TRUE(std::filesystem::is_empty("Data/maps"));
    EXPECT_EQ(editorGrid.at(1, 1), Wall);
}

// Slot and save in one frame: the prompt opens and answers at once.
TEST_F(EditorTest, PromptKeyHeldWithADigitActsAtOnce) {
    PressChord({kKeyS, Digit(2)});
    Run();
    EXPECT_TRUE(std::filesystem::exists("Data/maps/map2"));
    EXPECT_FALSE(savePrompt);
}

int FullDiskAtLine30(int step) { return step == 30 ? ENOSPC : 0; }

// A save that fails is told in a box with the map's path and the reason; the
// old map stays as it was, and the editor goes on.
TEST_F(EditorTest, AFailedSaveIsToldAndLeavesTheOldMap) {
    struct Row {
        const char* name;
        std::function<void()> arrange;
        const char* reason;
    };
    const Row rows[] = {
        {"the disk fills up",
         [] { atomicWriteFault = FullDiskAtLine30; },
         "No space left on device"},
        {"the map's name is a folder",
         [] {
             std::filesystem::remove("Data/maps/map2");
             std::filesystem::create_directories("Data/maps/map2/inside");
         },
         "Is a directory"},
        {"no maps folder",
         [] { std::filesystem::remove_all("Data"); },
         "No such file or directory"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        WriteMap("Data/maps/map2", WalledGrid());
        row.arrange();
        const bool hadMap = std::filesystem::is_regular_file("Data/maps/map2");
        const MapGrid before = hadMap ? ReadMapValues("Data/maps/map2") : MapGrid{};
        Press(VK_SPACE);
        Press(kKeyS);
        Press(Digit(2));
        std::size_t boxesAfterSave = 0;
        At([&] { boxesAfterSave = fake::Boxes().size(); });
        Press(VK_RIGHT);
        Run();
        atomicWriteFault = nullptr;

        ASSERT_EQ(boxesAfterSave, 1u) << "the box shows during the save";
        ASSERT_EQ(fake::Boxes().size(), 1u);
        const fake::Box& box = fake::Boxes()[0];
        EXPECT_EQ(box.text,
                  std::string("The map was not saved to Data/maps/map2: ") + row.reason + ".");
        EXPECT_EQ(box.caption, "ERROR");
        EXPECT_EQ(box.type, MB_OK | MB_ICONWARNING);
        EXPECT_EQ(cursorX, 2) << "the editor went on";
        EXPECT_FALSE(savePrompt);
        if (hadMap) {
            EXPECT_EQ(ReadMapValues("Data/maps/map2").cells, before.cells);
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator("Data/maps"),
                                    std::filesystem::directory_iterator()),
                      1)
                << "no temporary file is left";
        }
    }
}

TEST_F(EditorTest, NDuringLoadPromptLoadsTheDefaultMap) {
    MapGrid grid = WalledGrid();
    grid.at(5, 5) = Item;
    WriteMap("Data/maps/mapdefault", grid);
    Press(VK_SPACE);
    Press(kKeyL);
    Press(kKeyN);
    bool stillOpen = false;
    At([&] { stillOpen = loadPrompt; });
    Run();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(mapSlot, kDefaultMapSlot);
    EXPECT_EQ(editorGrid.cells, grid.cells);
}

TEST_F(EditorTest, EscDuringSavePromptEndsWithoutSaving) {
    Press(VK_SPACE);
    Press(kKeyS);
    fake::PushKeyDown(VK_ESCAPE);
    fake::PushFrames(1);
    Press(Digit(1));  // never reached: the loop has ended
    Run();
    EXPECT_EQ(fake::SwapCount(), 5);
    EXPECT_FALSE(fake::ScriptEmpty());
    EXPECT_TRUE(std::filesystem::is_empty("Data/maps"));
    EXPECT_FALSE(fake::WindowExists());
}

}  // namespace
}  // namespace editor_test
