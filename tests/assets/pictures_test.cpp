// Every picture that either program loads is in the tree, decodes through the
// project's own BMP decoder, has power-of-two sides and is no placeholder.
#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <tuple>
#include <vector>

#include "platform/dib_decode.h"
#include "tree_fixture.h"

namespace {

const std::vector<std::string> kGamePictures{
    "data/textures/menu/top.bmp",         "data/textures/menu/pic_frame.bmp",
    "data/textures/menu/map1.bmp",        "data/textures/menu/single.bmp",
    "data/textures/menu/multi.bmp",       "data/textures/menu/menuitem1_1.bmp",
    "data/textures/menu/menuitem1_2.bmp", "data/textures/menu/menuitem2_1.bmp",
    "data/textures/menu/menuitem2_2.bmp", "data/textures/menu/menuitem3_1.bmp",
    "data/textures/menu/menuitem3_2.bmp", "data/textures/menu/menuitem4_1.bmp",
    "data/textures/menu/menuitem4_2.bmp", "data/textures/menu/menuitem5_1.bmp",
    "data/textures/menu/menuitem5_2.bmp", "data/textures/menu/speed1.bmp",
    "data/textures/menu/speed2.bmp",      "data/textures/menu/speed3.bmp",
    "data/textures/menu/map2.bmp",        "data/textures/menu/map3.bmp",
    "data/textures/menu/info.bmp",        "data/textures/menu/loading.bmp",
    "data/textures/ingame/wall.bmp",      "data/textures/ingame/item.bmp",
    "data/textures/ingame/snake1.bmp",    "data/textures/ingame/snake2.bmp",
    "data/textures/ingame/player1.bmp",   "data/textures/ingame/player2.bmp",
    "data/textures/ingame/top.bmp",       "data/textures/menu/map4.bmp",
    "data/textures/menu/map5.bmp",
};

const std::vector<std::string> kEditorPictures{
    "data/mapedit/cur_0.bmp",
    "data/mapedit/cur_1.bmp",
    "data/mapedit/cur_2.bmp",
    "data/mapedit/cur_3.bmp",
    "data/mapedit/cur_4.bmp",
    "data/textures/ingame/wall.bmp",
    "data/textures/ingame/item.bmp",
    "data/textures/ingame/snake1.bmp",
    "data/textures/ingame/snake2.bmp",
    "data/mapedit/empty.bmp",
    "data/mapedit/top.bmp",
};

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

DibImage Decode(const fs::path& path) {
    DibImage image;
    EXPECT_EQ(DecodeDibFile(path.string().c_str(), image), DibError::None) << path;
    return image;
}

// Mean colour of a picture.
std::array<double, 3> Mean(const DibImage& image) {
    std::array<double, 3> sum{};
    for (std::size_t i = 0; i < image.rgb.size(); ++i) sum[i % 3] += image.rgb[i];
    const double n = static_cast<double>(image.rgb.size() / 3);
    return {sum[0] / n, sum[1] / n, sum[2] / n};
}

}  // namespace

TEST_F(TreeTest, BothProgramsListsAreCompleteAndDecodeWithPowerOfTwoSides) {
    EXPECT_EQ(kGamePictures.size(), 31u);
    EXPECT_EQ(kEditorPictures.size(), 11u);
    const fs::path root = Generate("tree");
    for (const auto* list : {&kGamePictures, &kEditorPictures}) {
        for (const std::string& path : *list) {
            SCOPED_TRACE(path);
            ASSERT_TRUE(fs::is_regular_file(root / path));
            const DibImage image = Decode(root / path);
            EXPECT_TRUE(PowerOfTwo(image.width) && PowerOfTwo(image.height))
                << image.width << " by " << image.height;
            // Rows are uploaded without padding at an unpack alignment of 4.
            EXPECT_EQ(image.width * 3 % 4, 0);
            std::set<std::tuple<int, int, int>> colours;
            for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3)
                colours.emplace(image.rgb[i], image.rgb[i + 1], image.rgb[i + 2]);
            EXPECT_GE(colours.size(), 2u) << "a flat placeholder";
        }
    }
}

TEST_F(TreeTest, PlayfieldCellsAreDrawnAtTheirOwnSizeAndStayDistinct) {
    // The playfield draws each cell 8 by 8; the two snakes, walls, items and
    // the editor's empty cell must be told apart by colour at a glance.
    const fs::path root = Generate("tree");
    const std::vector<std::string> cells{"data/textures/ingame/wall.bmp",
                                         "data/textures/ingame/item.bmp",
                                         "data/textures/ingame/snake1.bmp",
                                         "data/textures/ingame/snake2.bmp",
                                         "data/mapedit/empty.bmp"};
    std::vector<std::array<double, 3>> means;
    for (const std::string& path : cells) {
        const DibImage image = Decode(root / path);
        EXPECT_EQ(image.width, 8) << path;
        EXPECT_EQ(image.height, 8) << path;
        means.push_back(Mean(image));
    }
    for (std::size_t a = 0; a < means.size(); ++a)
        for (std::size_t b = a + 1; b < means.size(); ++b) {
            const double distance = std::hypot(
                means[a][0] - means[b][0], means[a][1] - means[b][1], means[a][2] - means[b][2]);
            EXPECT_GT(distance, 60.0) << cells[a] << " against " << cells[b];
        }
}

TEST_F(TreeTest, EachCursorPictureDiffersFromItsCellAndShowsItsContent) {
    const fs::path root = Generate("tree");
    const std::vector<std::pair<std::string, std::string>> pairs{
        {"data/mapedit/cur_0.bmp", "data/mapedit/empty.bmp"},
        {"data/mapedit/cur_1.bmp", "data/textures/ingame/wall.bmp"},
        {"data/mapedit/cur_2.bmp", "data/textures/ingame/item.bmp"},
        {"data/mapedit/cur_3.bmp", "data/textures/ingame/snake1.bmp"},
        {"data/mapedit/cur_4.bmp", "data/textures/ingame/snake2.bmp"},
    };
    std::set<std::vector<unsigned char>> cursors;
    for (const auto& [cursor, cell] : pairs) {
        const DibImage c = Decode(root / cursor);
        const DibImage plain = Decode(root / cell);
        ASSERT_EQ(c.rgb.size(), plain.rgb.size()) << cursor;
        EXPECT_NE(c.rgb, plain.rgb) << cursor;
        // The centre pixel still shows the cell under the cursor.
        const std::size_t centre = (4 * 8 + 3) * 3;
        EXPECT_TRUE(std::equal(
            c.rgb.begin() + centre, c.rgb.begin() + centre + 3, plain.rgb.begin() + centre))
            << cursor;
        cursors.insert(c.rgb);
    }
    EXPECT_EQ(cursors.size(), pairs.size());
}

TEST_F(TreeTest, MenuPreviewsOfOneKindAreAllDifferent) {
    // A selected and an unselected button, or two maps or speeds, that look
    // alike would leave the player guessing.
    const fs::path root = Generate("tree");
    const std::vector<std::vector<std::string>> groups{
        {"menuitem1_1",
         "menuitem1_2",
         "menuitem2_1",
         "menuitem2_2",
         "menuitem3_1",
         "menuitem3_2",
         "menuitem4_1",
         "menuitem4_2",
         "menuitem5_1",
         "menuitem5_2"},
        {"map1", "map2", "map3", "map4", "map5"},
        {"speed1", "speed2", "speed3"},
        {"single", "multi"},
    };
    for (const auto& group : groups) {
        std::set<std::string> contents;
        for (const std::string& name : group)
            contents.insert(ReadBytes(root / "data/textures/menu" / (name + ".bmp")));
        EXPECT_EQ(contents.size(), group.size()) << group.front();
    }
}
