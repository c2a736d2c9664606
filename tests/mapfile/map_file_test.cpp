#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "mapfile/map_file.h"
#include "temp_dir.h"

namespace {

using MapFileTest = InTempDir;

// The values of a grid in file order, joined by the given separators.
std::string Values(const MapGrid& grid, const std::string& between, const std::string& lineEnd) {
    std::string text;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            text += std::to_string(grid.at(x, y));
            text += x + 1 < kMapSize ? between : lineEnd;
        }
    }
    return text;
}

TEST_F(MapFileTest, WrittenFileHasSixtyLinesOf122BytesAndReadsBack) {
    const MapGrid grid = PatternGrid();
    WriteMapFile("map", grid);

    const std::string text = ReadText("map");
    ASSERT_EQ(text.size(), 60u * 122u);
    for (int y = 0; y < kMapSize; ++y) {
        const std::string line = text.substr(y * 122, 122);
        std::string expected = std::to_string(grid.at(0, y));
        for (int x = 1; x < kMapSize; ++x) {
            expected += ' ' + std::to_string(grid.at(x, y));
        }
        expected += " \r\n";
        EXPECT_EQ(line, expected) << "line " << y;
    }

    MapGrid back = FilledGrid(7);
    ReadMapFile("map", back);
    EXPECT_EQ(back.cells, grid.cells);
}

TEST_F(MapFileTest, RowExampleBytes) {
    MapGrid grid;
    grid.at(0, 0) = Wall;
    grid.at(4, 0) = Item;
    for (int x = 0; x < kMapSize; ++x) {
        grid.at(x, 1) = Wall;
    }
    WriteMapFile("map", grid);
    const std::string text = ReadText("map");
    EXPECT_EQ(text.substr(0, 9), "1 0 0 0 2");
    std::string walls = "1";
    for (int x = 1; x < kMapSize; ++x) {
        walls += " 1";
    }
    EXPECT_EQ(text.substr(122, 122), walls + " \r\n");
}

TEST_F(MapFileTest, WideValuesReadBackUnchanged) {
    MapGrid grid = PatternGrid();
    // Placed after single digits, at line starts and ends, and side by side,
    // where running into the neighbour would change or shift values.
    const std::vector<std::int32_t> wide = {10, 99, -1, -123, INT_MAX, INT_MIN};
    for (std::size_t i = 0; i < wide.size(); ++i) {
        grid.at(static_cast<int>(i) + 1, 2) = wide[i];
        grid.at(0, 3 + static_cast<int>(i)) = wide[i];
        grid.at(59, 3 + static_cast<int>(i)) = wide[i];
    }
    grid.at(0, 2) = 0;
    WriteMapFile("map", grid);

    MapGrid back;
    ReadMapFile("map", back);
    EXPECT_EQ(back.cells, grid.cells);

    // Wide values get a space of their own; rows without them keep 122 bytes.
    std::vector<std::string> lines;
    const std::string text = ReadText("map");
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end + 2 - start));
    }
    ASSERT_EQ(lines.size(), 60u);
    EXPECT_TRUE(lines[2].starts_with("0 10 99 -1 -123 2147483647 -2147483648 ")) << lines[2];
    EXPECT_EQ(lines[1].size(), 122u);
    EXPECT_EQ(lines[9].size(), 122u);
}

TEST_F(MapFileTest, OtherLayoutsReadLikeTheWrittenFile) {
    const MapGrid grid = PatternGrid(3);
    struct Layout {
        const char* name;
        std::string text;
    };
    const std::vector<Layout> layouts = {
        {"one line", Values(grid, " ", " ")},
        {"LF only", Values(grid, " ", "\n")},
        {"tabs", Values(grid, "\t", "\t\r\n")},
        {"mixed white space", "\v\f " + Values(grid, " \t ", "\r\n\r\n")},
        {"no line end at the end",
         Values(grid, " ", "\n").substr(0, Values(grid, " ", "\n").size() - 1)},
    };
    for (const Layout& layout : layouts) {
        WriteText("map", layout.text);
        MapGrid back = FilledGrid(9);
        ReadMapFile("map", back);
        EXPECT_EQ(back.cells, grid.cells) << layout.name;
    }
}

TEST_F(MapFileTest, ValueSyntax) {
    struct Case {
        const char* text;
        std::vector<std::int32_t> firstCells;  // cells taken from the file, in file order
    };
    const std::vector<Case> cases = {
        {"07", {7}},
        {"010", {8}},
        {"0x1", {1}},
        {"0X1f", {31}},
        {"-1", {-1}},
        {"+4", {4}},
        {"9", {9}},
        {"09", {0, 9}},  // 9 is no octal digit: two values
        {"0 -0x10 -010", {0, -16, -8}},
        {"1 0xg", {1, 0, 0}},  // "0", then "x" is no number: 0 and stop
        {"1 - 2", {1, 0}},     // a lone sign stops reading
        {"1 +", {1, 0}},
        {"1 2a 3", {1, 2, 0}},
        {"2147483647 -2147483648", {INT_MAX, INT_MIN}},
        {"99999999999999999999999 1", {INT_MAX}},  // out of range stops
        {"-2147483649 1", {INT_MIN}},
        {"0xFFFFFFFF 1", {INT_MAX}},
        {"", {}},
        {" \r\n\t", {}},
    };
    for (const Case& c : cases) {
        WriteText("map", c.text);
        MapGrid grid = FilledGrid(5);
        ReadMapFile("map", grid);
        for (int k = 0; k < kMapSize * kMapSize; ++k) {
            const std::int32_t expected =
                k < static_cast<int>(c.firstCells.size()) ? c.firstCells[k] : 5;
            ASSERT_EQ(grid.at(k % kMapSize, k / kMapSize), expected)
                << "file \"" << c.text << "\", cell " << k;
        }
    }
}

TEST_F(MapFileTest, LetterAsValue101SetsThatCellToZeroAndStops) {
    std::string text;
    for (int k = 0; k < 100; ++k) {
        text += std::to_string(k % 5 + 1) + ' ';
    }
    text += "x 3 3 3\r\n";
    WriteText("map", text);

    MapGrid grid = FilledGrid(4);
    ReadMapFile("map", grid);
    for (int k = 0; k < 100; ++k) {
        EXPECT_EQ(grid.at(k % 60, k / 60), k % 5 + 1) << k;
    }
    EXPECT_EQ(grid.at(40, 1), 0);
    for (int k = 101; k < kMapSize * kMapSize; ++k) {
        ASSERT_EQ(grid.at(k % 60, k / 60), 4) << k;
    }
}

TEST_F(MapFileTest, ShortFileLeavesTheRestOfTheGrid) {
    std::string text;
    for (int k = 0; k < 100; ++k) {
        text += "2 ";
    }
    WriteText("map", text);

    MapGrid grid = PatternGrid();
    const MapGrid before = grid;
    ReadMapFile("map", grid);
    for (int k = 0; k < kMapSize * kMapSize; ++k) {
        ASSERT_EQ(grid.at(k % 60, k / 60), k < 100 ? 2 : before.at(k % 60, k / 60)) << k;
    }
}

TEST_F(MapFileTest, ValuesAfterThe3600thAreIgnored) {
    const MapGrid grid = PatternGrid(1);
    WriteText("map", Values(grid, " ", "\n") + "4 4 4 x junk\n");
    MapGrid back;
    ReadMapFile("map", back);
    EXPECT_EQ(back.cells, grid.cells);
}

TEST_F(MapFileTest, MissingFileReadsNothingAndIsNotCreated) {
    const MapGrid before = PatternGrid(2);
    MapGrid grid = before;
    ReadMapFile("nothing-here", grid);
    EXPECT_EQ(grid.cells, before.cells);
    EXPECT_FALSE(std::filesystem::exists("nothing-here"));
}

TEST_F(MapFileTest, WriteIntoMissingDirectoryCreatesNothing) {
    int error = 0;
    EXPECT_FALSE(WriteMapFile("Data/maps/map1", PatternGrid(), &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(std::filesystem::exists("Data"));
}

// The file may not be written, though the directory may: the map is not
// replaced behind its owner's back. Root may write any file, so as root the
// save runs as an ordinary user.
TEST_F(MapFileTest, WriteToReadOnlyFileLeavesIt) {
    WriteText("map", "old");
    chmod("map", 0444);
    int error = 0;
    if (geteuid() == 0) {
        chmod(dir_.c_str(), 0777);
        error = ExitCode(RunInChild([] {
            if (setgid(65534) != 0 || setuid(65534) != 0) return 100;
            int failure = 0;
            return WriteMapFile("map", PatternGrid(), &failure) ? 0 : failure;
        }));
    } else {
        EXPECT_FALSE(WriteMapFile("map", PatternGrid(), &error));
    }
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(ReadText("map"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(MapFileTest, SlotPaths) {
    EXPECT_STREQ(MapSlotPath(1), "Data/maps/map1");
    EXPECT_STREQ(MapSlotPath(5), "Data/maps/map5");
    EXPECT_STREQ(MapSlotPath(99), "Data/maps/mapdefault");
    for (MapSlot slot : {0, 6, 98, 100, -1}) {
        EXPECT_EQ(MapSlotPath(slot), nullptr) << slot;
    }
}

}  // namespace
