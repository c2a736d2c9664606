// The shipped maps: the writer's exact layout, a full wall ring, one start
// cell per player with room ahead, room for the items, and every free cell
// reachable so a one-player level can always be cleared.
#include <array>
#include <deque>
#include <utility>

#include "mapfile/map_file.h"
#include "tree_fixture.h"

namespace {

const char* const kMaps[] = {"map1", "map2", "map3", "map4", "map5", "mapdefault"};

MapGrid ReadMap(const fs::path& path) {
    MapGrid grid{};
    ReadMapFile(path.string().c_str(), grid);
    return grid;
}

int Count(const MapGrid& grid, std::int32_t code, int& x, int& y) {
    int n = 0;
    for (int cy = 0; cy < kMapSize; ++cy)
        for (int cx = 0; cx < kMapSize; ++cx)
            if (grid.at(cx, cy) == code) {
                ++n;
                x = cx;
                y = cy;
            }
    return n;
}

// Free cells straight ahead of (x, y) in direction (dx, dy).
int RoomAhead(const MapGrid& grid, int x, int y, int dx, int dy) {
    int n = 0;
    for (x += dx, y += dy; grid.at(x, y) == Empty; x += dx, y += dy) ++n;
    return n;
}

}  // namespace

TEST_F(TreeTest, MapsAreInTheWritersLayout) {
    const fs::path root = Generate("tree");
    for (const char* name : kMaps) {
        SCOPED_TRACE(name);
        const fs::path path = root / "Data/maps" / name;
        const std::string bytes = ReadBytes(path);
        ASSERT_EQ(bytes.size(), 60u * 122u);
        // Written back by the program's own writer, the file is unchanged.
        const fs::path copy = scratch / "rewritten";
        WriteMapFile(copy.string().c_str(), ReadMap(path));
        EXPECT_EQ(ReadBytes(copy), bytes);
        // The tree's map is the repository's source map.
        EXPECT_EQ(ReadBytes(fs::path(TREVLA_MAP_SOURCES) / name), bytes);
    }
}

TEST_F(TreeTest, MapsHaveTheirRingStartsRoomAndNoUnreachableCells) {
    const fs::path root = Generate("tree");
    for (const char* name : kMaps) {
        SCOPED_TRACE(name);
        const MapGrid grid = ReadMap(root / "Data/maps" / name);
        for (int i = 0; i < kMapSize; ++i) {
            EXPECT_EQ(grid.at(i, 0), Wall) << "top " << i;
            EXPECT_EQ(grid.at(i, kMapSize - 1), Wall) << "bottom " << i;
            EXPECT_EQ(grid.at(0, i), Wall) << "left " << i;
            EXPECT_EQ(grid.at(kMapSize - 1, i), Wall) << "right " << i;
        }
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        ASSERT_EQ(Count(grid, Snake1, x1, y1), 1);
        ASSERT_EQ(Count(grid, Snake2, x2, y2), 1);
        // Player 1 heads up and player 2 down at the first tick.
        EXPECT_GE(RoomAhead(grid, x1, y1, 0, -1), 10);
        EXPECT_GE(RoomAhead(grid, x2, y2, 0, 1), 10);
        for (int y = 0; y < kMapSize; ++y)
            for (int x = 0; x < kMapSize; ++x) ASSERT_GE(grid.at(x, y), Empty) << x << "," << y;
        for (int y = 0; y < kMapSize; ++y)
            for (int x = 0; x < kMapSize; ++x) ASSERT_LE(grid.at(x, y), Snake2) << x << "," << y;

        // Flood from player 1's start through every cell that is not a wall.
        std::array<std::array<bool, kMapSize>, kMapSize> seen{};
        std::deque<std::pair<int, int>> queue{{x1, y1}};
        seen[y1][x1] = true;
        while (!queue.empty()) {
            const auto [x, y] = queue.front();
            queue.pop_front();
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nx = x + dx, ny = y + dy;
                if (grid.at(nx, ny) == Wall || seen[ny][nx]) continue;
                seen[ny][nx] = true;
                queue.emplace_back(nx, ny);
            }
        }
        EXPECT_TRUE(seen[y2][x2]) << "player 2 starts apart from player 1";
        int freeCells = 0;
        for (int y = 1; y < kMapSize - 1; ++y)
            for (int x = 1; x < kMapSize - 1; ++x)
                if (grid.at(x, y) == Empty) {
                    ++freeCells;
                    EXPECT_TRUE(seen[y][x]) << "unreachable free cell " << x << "," << y;
                }
        // Items are topped up to 50 on free inner cells; leave the snakes
        // plenty of room besides.
        EXPECT_GE(freeCells, 50 + 1000);
    }
}

TEST_F(TreeTest, DefaultMapHoldsOnlyTheRingAndBothStarts) {
    const MapGrid grid = ReadMap(Generate("tree") / "Data/maps/mapdefault");
    int walls = 0, starts = 0, others = 0;
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const std::int32_t c = grid.at(x, y);
            const bool ring = x == 0 || y == 0 || x == kMapSize - 1 || y == kMapSize - 1;
            if (c == Wall && ring)
                ++walls;
            else if (c == Snake1 || c == Snake2)
                ++starts;
            else if (c != Empty)
                ++others;
        }
    EXPECT_EQ(walls, 4 * kMapSize - 4);
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(others, 0);
}
