#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "mapfile/map_file.h"
#include "temp_dir.h"

namespace {

using EditorMapTest = InTempDir;

TEST_F(EditorMapTest, SaveThenLoadEverySlot) {
    MakeMapsDir();
    for (MapSlot slot = 1; slot <= 5; ++slot) {
        mapSlot = slot;
        editorGrid = PatternGrid(slot);
        SaveMap();
    }
    for (MapSlot slot = 1; slot <= 5; ++slot) {
        mapSlot = slot;
        editorGrid = FilledGrid(3);
        LoadMap();
        EXPECT_EQ(editorGrid.cells, PatternGrid(slot).cells) << slot;
    }
}

TEST_F(EditorMapTest, SavingTwiceLeavesOnlyTheSecondGrid) {
    MakeMapsDir();
    mapSlot = 2;
    editorGrid = PatternGrid();
    editorGrid.at(5, 5) = -123;  // a longer first file
    SaveMap();
    editorGrid = PatternGrid(4);
    SaveMap();
    WriteMapFile("expected", PatternGrid(4));
    EXPECT_EQ(ReadText("Data/maps/map2"), ReadText("expected"));
    EXPECT_EQ(ReadText("Data/maps/map2").size(), 60u * 122u);
}

TEST_F(EditorMapTest, LoadClearsFirst) {
    MakeMapsDir();
    WriteText("Data/maps/map3", "1 2 3 x 4");
    WriteText("Data/maps/map4", "1 2 3");
    struct Case {
        MapSlot slot;
        int filled;  // leading cells from the file; the rest must be Empty
    };
    for (Case c : {Case{3, 4}, Case{4, 3}, Case{5, 0}, Case{99, 0}, Case{0, 0}, Case{7, 0}}) {
        mapSlot = c.slot;
        editorGrid = FilledGrid(Wall);
        LoadMap();
        const std::int32_t file[] = {1, 2, 3, 0};
        for (int k = 0; k < kMapSize * kMapSize; ++k) {
            ASSERT_EQ(editorGrid.at(k % 60, k / 60), k < c.filled ? file[k] : Empty)
                << "slot " << c.slot << ", cell " << k;
        }
    }
}

TEST_F(EditorMapTest, LoadReadsTheDefaultMap) {
    MakeMapsDir();
    WriteMapFile("Data/maps/mapdefault", PatternGrid(1));
    mapSlot = kDefaultMapSlot;
    LoadMap();
    EXPECT_EQ(editorGrid.cells, PatternGrid(1).cells);
}

TEST_F(EditorMapTest, SaveWritesOnlySlotsOneToFive) {
    MakeMapsDir();
    WriteText("Data/maps/mapdefault", "template");
    editorGrid = PatternGrid();
    for (MapSlot slot : {99, 0, 6, -1}) {
        mapSlot = slot;
        SaveMap();
    }
    EXPECT_EQ(ReadText("Data/maps/mapdefault"), "template");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("Data/maps"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(EditorMapTest, SaveWithoutMapsDirectoryWritesNothing) {
    mapSlot = 1;
    editorGrid = PatternGrid();
    SaveMap();
    EXPECT_FALSE(std::filesystem::exists("Data"));
    EXPECT_EQ(mapSlot, 1);
    EXPECT_EQ(editorGrid.cells, PatternGrid().cells);
}

}  // namespace
