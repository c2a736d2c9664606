#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "game/game_state.h"
#include "game/round_setup.h"
#include "mapfile/map_file.h"

namespace {

using Cell = std::pair<int, int>;

// A field with a wall all round and nothing inside.
MapGrid WalledField() {
    MapGrid grid;
    for (int i = 0; i < kMapSize; ++i) {
        grid.at(i, 0) = grid.at(i, kMapSize - 1) = Wall;
        grid.at(0, i) = grid.at(kMapSize - 1, i) = Wall;
    }
    return grid;
}

// Paints a drawing onto the grid with its top-left at (x0, y0):
// '#' wall, '.' empty, '*' item, '1' and '2' start cells.
void Draw(MapGrid& grid, int x0, int y0, std::initializer_list<const char*> rows) {
    int y = y0;
    for (const char* row : rows) {
        for (int x = x0; *row; ++row, ++x) {
            switch (*row) {
                case '#': grid.at(x, y) = Wall; break;
                case '*': grid.at(x, y) = Item; break;
                case '1': grid.at(x, y) = Snake1; break;
                case '2': grid.at(x, y) = Snake2; break;
                default: grid.at(x, y) = Empty; break;
            }
        }
        ++y;
    }
}

std::vector<Cell> CellsHolding(const MapGrid& grid, std::int32_t code) {
    std::vector<Cell> cells;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            if (grid.at(x, y) == code) {
                cells.emplace_back(x, y);
            }
        }
    }
    return cells;
}

// Runs each test in a fresh directory with an empty "Data/maps".
class RoundSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameState();
        SeedGameRandom(0);
        previous_ = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "trevla-round-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        std::filesystem::current_path(dir_);
        std::filesystem::create_directories("Data/maps");
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }

    static void SaveSlot(MapSlot slot, const MapGrid& grid) {
        WriteMapFile(MapSlotPath(slot), grid);
    }

    std::filesystem::path previous_;
    std::filesystem::path dir_;
};

TEST_F(RoundSetupTest, LastStartCellInScanOrderWins) {
    MapGrid map = WalledField();
    map.at(10, 5) = Snake1;
    map.at(3, 7) = Snake1;
    map.at(50, 9) = Snake2;
    map.at(20, 9) = Snake2;
    map.at(44, 2) = Snake2;
    SaveSlot(1, map);
    twoPlayer = true;

    RoundSetup();

    EXPECT_EQ(std::make_pair(player1.x, player1.y), Cell(3, 7));
    EXPECT_EQ(std::make_pair(player2.x, player2.y), Cell(50, 9));
    // The other start cells stay as obstacles.
    EXPECT_EQ(CellsHolding(playfield, Snake1), (std::vector<Cell>{{10, 5}, {3, 7}}));
    EXPECT_EQ(CellsHolding(playfield, Snake2), (std::vector<Cell>{{44, 2}, {20, 9}, {50, 9}}));
}

TEST_F(RoundSetupTest, OnePlayerTopUp) {
    struct Case {
        int mapItems;
        int points;
        int expectedItems;
    };
    const std::vector<Case> cases = {
        {12, 0, 50},
        {0, 0, 50},
        {70, 0, 70},  // the map's own items all stay
        {0, 45, 5},
        {3, 45, 5},
        {0, 50, 0},
        {0, 60, 0},
        {12, 49, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.mapItems << " map items, " << c.points << " points");
        ResetGameState();
        // No wall round the field, so any item in the outer ring would show.
        MapGrid map;
        map.at(30, 30) = Snake1;
        for (int i = 0; i < c.mapItems; ++i) {
            map.at(i % 58 + 1, 2 + i / 58 * 3) = Item;
        }
        // Map items in the outer ring are the map's own and stay too.
        if (c.mapItems > 0) {
            map.at(1, 2) = Empty;
            map.at(0, 0) = Item;
        }
        const std::vector<Cell> mapItems = CellsHolding(map, Item);
        SaveSlot(1, map);
        player1.points = c.points;

        RoundSetup();

        EXPECT_EQ(itemCount, c.expectedItems);
        const std::vector<Cell> items = CellsHolding(playfield, Item);
        EXPECT_EQ(static_cast<int>(items.size()), c.expectedItems);
        for (const Cell& cell : mapItems) {
            EXPECT_EQ(playfield.at(cell.first, cell.second), Item);
        }
        for (const Cell& cell : items) {
            if (map.at(cell.first, cell.second) != Item) {
                EXPECT_TRUE(cell.first >= 1 && cell.first <= 58 && cell.second >= 1 &&
                            cell.second <= 58)
                    << cell.first << ", " << cell.second;
            }
        }
        EXPECT_EQ(player1.points, c.points);
    }
}

TEST_F(RoundSetupTest, SeedZeroPlacesItemsAtKnownCells) {
    // Seed 0 draws 38, 7719, 21238, 2437, 8855, 11797, 8365, 32285, 10450: the pairs
    // (39, 6), (11, 2), (40, 24), (14, 38). The wall at (11, 2) drops the
    // second pair.
    MapGrid map = WalledField();
    Draw(map,
         10,
         1,
         {
             ".1..",
             ".#..",
         });
    SaveSlot(1, map);
    player1.points = 47;

    RoundSetup();

    EXPECT_EQ(CellsHolding(playfield, Item), (std::vector<Cell>{{39, 6}, {40, 24}, {14, 38}}));
    EXPECT_EQ(itemCount, 3);
    // Exactly four pairs were drawn: the ninth draw comes next.
    EXPECT_EQ(DrawGameRandom(), 10450);
}

TEST_F(RoundSetupTest, TopUpEndsWhenTheInnerFieldIsFull) {
    struct Case {
        const char* name;
        int freeCells;  // empty cells left inside the ring
    };
    for (const Case& c : {Case{"full", 0}, Case{"three free", 3}}) {
        SCOPED_TRACE(c.name);
        ResetGameState();
        MapGrid map;
        for (auto& row : map.cells) {
            row.fill(Wall);
        }
        // Empty outer-ring cells do not count: items never go there.
        map.at(0, 0) = map.at(59, 30) = Empty;
        map.at(5, 5) = Snake1;
        map.at(6, 5) = Item;
        const std::vector<Cell> freeCells = {{1, 1}, {58, 58}, {30, 17}};
        for (int i = 0; i < c.freeCells; ++i) {
            map.at(freeCells[i].first, freeCells[i].second) = Empty;
        }
        SaveSlot(1, map);

        RoundSetup();

        EXPECT_EQ(itemCount, 1 + c.freeCells);
        EXPECT_EQ(CellsHolding(playfield, Empty), (std::vector<Cell>{{0, 0}, {59, 30}}));
    }
}

TEST_F(RoundSetupTest, TwoPlayerRoundRemovesEveryItemAndDrawsNothing) {
    MapGrid map = WalledField();
    Draw(map,
         5,
         5,
         {
             "*1*.",
             "..2*",
         });
    map.at(0, 0) = Item;
    SaveSlot(3, map);
    mapSlot = 3;
    twoPlayer = true;

    RoundSetup();

    EXPECT_EQ(itemCount, 0);
    EXPECT_TRUE(CellsHolding(playfield, Item).empty());
    EXPECT_EQ(playfield.at(7, 6), Snake2);
    EXPECT_EQ(std::make_pair(player2.x, player2.y), Cell(7, 6));
    EXPECT_EQ(DrawGameRandom(), 38);
}

TEST_F(RoundSetupTest, OnePlayerRoundRemovesSnake2StartCell) {
    MapGrid map = WalledField();
    Draw(map,
         20,
         20,
         {
             "2.1",
             "..2",
         });
    SaveSlot(1, map);
    player1.points = 50;

    RoundSetup();

    EXPECT_EQ(playfield.at(20, 20), Empty);
    EXPECT_EQ(playfield.at(22, 21), Empty);
    EXPECT_EQ(std::make_pair(player2.x, player2.y), Cell(22, 21));
    EXPECT_EQ(std::make_pair(player2.historyX[0], player2.historyY[0]), Cell(22, 21));
    EXPECT_EQ(playfield.at(22, 20), Snake1);
}

TEST_F(RoundSetupTest, MissingStartCellKeepsTheOldPosition) {
    SaveSlot(1, WalledField());
    player1.x = 17;
    player1.y = 23;
    player2.x = 4;
    player2.y = 9;
    twoPlayer = true;

    RoundSetup();

    EXPECT_EQ(std::make_pair(player1.x, player1.y), Cell(17, 23));
    EXPECT_EQ(std::make_pair(player1.historyX[0], player1.historyY[0]), Cell(17, 23));
    EXPECT_EQ(std::make_pair(player2.x, player2.y), Cell(4, 9));
}

TEST_F(RoundSetupTest, MapIsReadOverTheOldField) {
    // The previous round's field: a snake body, an item and a foreign code.
    playfield = WalledField();
    Draw(playfield, 10, 10, {"1111*"});
    playfield.at(40, 40) = 7;
    player1.x = 13;
    player1.y = 10;
    const MapGrid before = playfield;

    struct Case {
        const char* name;
        MapSlot slot;
        std::string file;  // empty: no file
        int cellsRead;
    };
    std::string hundredWalls;
    for (int i = 0; i < 100; ++i) {
        hundredWalls += "1 ";
    }
    const std::vector<Case> cases = {
        {"missing file", 2, "", 0},
        {"slot without a file", 0, "", 0},
        {"100 values", 1, hundredWalls, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        playfield = before;
        mapSlot = c.slot;
        if (!c.file.empty()) {
            FILE* file = fopen(MapSlotPath(c.slot), "wb");
            ASSERT_NE(file, nullptr);
            fputs(c.file.c_str(), file);
            fclose(file);
        }

        RoundSetup();

        for (int k = 0; k < kMapSize * kMapSize; ++k) {
            const int x = k % kMapSize;
            const int y = k / kMapSize;
            if (k < c.cellsRead) {
                ASSERT_EQ(playfield.at(x, y), Wall) << k;
            } else if (before.at(x, y) != Empty && before.at(x, y) != Item) {
                ASSERT_EQ(playfield.at(x, y), before.at(x, y)) << k;
            }
        }
        EXPECT_EQ(std::make_pair(player1.x, player1.y), Cell(13, 10));
        EXPECT_EQ(playfield.at(14, 10), Item);
        EXPECT_EQ(itemCount, 50);
    }
}

TEST_F(RoundSetupTest, ResetsBothPlayersAndTheHistoryOnly) {
    MapGrid map = WalledField();
    map.at(8, 9) = Snake1;
    map.at(30, 31) = Snake2;
    SaveSlot(1, map);
    twoPlayer = true;
    for (PlayerState* player : {&player1, &player2}) {
        player->requestedDirection = Left;
        player->currentDirection = Right;
        player->length = 9;
        player->tailIndex = 5;
        player->lives = 2;
        player->points = 6;
    }
    historyIndex = 77;
    outcome = BothDied;
    lastTickTime = 1234.5f;

    RoundSetup();

    EXPECT_EQ(historyIndex, 1);
    EXPECT_EQ(std::make_pair(player1.historyX[0], player1.historyY[0]), Cell(8, 9));
    EXPECT_EQ(std::make_pair(player2.historyX[0], player2.historyY[0]), Cell(30, 31));
    EXPECT_EQ(player1.requestedDirection, Up);
    EXPECT_EQ(player1.currentDirection, Up);
    EXPECT_EQ(player2.requestedDirection, Down);
    EXPECT_EQ(player2.currentDirection, Down);
    for (const PlayerState* player : {&player1, &player2}) {
        EXPECT_EQ(player->length, 1);
        EXPECT_EQ(player->tailIndex, 0);
        EXPECT_EQ(player->lives, 2);
        EXPECT_EQ(player->points, 6);
    }
    EXPECT_EQ(outcome, BothDied);
    EXPECT_EQ(lastTickTime, 1234.5f);
    EXPECT_FALSE(roundOver);
}

}  // namespace
