// Running the generator: same bytes every run, the user's maps never
// overwritten and the previews drawn from them, clear failures.
#include <map>

#include "tree_fixture.h"

namespace {

// Every file under root by relative path, with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = ReadBytes(entry.path());
    return files;
}

// A map in the writer's layout: the ring, both starts, and a wall across row 20.
std::string UserMap() {
    std::string out;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            int c = x == 0 || y == 0 || x == 59 || y == 59 || (y == 20 && x < 40) ? 1 : 0;
            if (x == 10 && y == 50) c = 3;
            if (x == 50 && y == 5) c = 4;
            out += (x == 0 ? "" : " ") + std::to_string(c);
        }
        out += " \r\n";
    }
    return out;
}

}  // namespace

TEST_F(TreeTest, TwoRunsGiveIdenticalBytes) {
    const auto first = Snapshot(Generate("a"));
    const auto second = Snapshot(Generate("b"));
    EXPECT_EQ(first.size(), 31u + 7u + 4u + 6u);  // both picture lists share four cells
    EXPECT_TRUE(first == second);
    // Running again over an existing tree changes nothing and leaves no
    // temporary files behind.
    Generate("a");
    EXPECT_TRUE(Snapshot(scratch / "a") == first);
}

TEST_F(TreeTest, ExistingMapsAreNeverOverwrittenAndTheirPreviewsFollowThem) {
    const fs::path fresh = Generate("fresh");
    const fs::path root = scratch / "tree";
    const std::string user = UserMap();
    WriteBytes(root / "Data/maps/map3", user);
    WriteBytes(root / "Data/maps/mapdefault", "not a map at all");
    // An empty file is a map the user has, however little it holds.
    WriteBytes(root / "Data/maps/map5", "");

    std::string error;
    ASSERT_TRUE(GenerateDataTree(root, TREVLA_MAP_SOURCES, error)) << error;
    EXPECT_EQ(ReadBytes(root / "Data/maps/map3"), user);
    EXPECT_EQ(ReadBytes(root / "Data/maps/mapdefault"), "not a map at all");
    EXPECT_EQ(ReadBytes(root / "Data/maps/map5"), "");
    EXPECT_EQ(ReadBytes(root / "Data/maps/map1"), ReadBytes(fresh / "Data/maps/map1"));

    EXPECT_NE(ReadBytes(root / "data/textures/menu/map3.bmp"),
              ReadBytes(fresh / "data/textures/menu/map3.bmp"));
    EXPECT_NE(ReadBytes(root / "data/textures/menu/map5.bmp"),
              ReadBytes(fresh / "data/textures/menu/map5.bmp"));
    EXPECT_EQ(ReadBytes(root / "data/textures/menu/map1.bmp"),
              ReadBytes(fresh / "data/textures/menu/map1.bmp"));

    // The same user map in another slot gives the same layout in its preview:
    // the preview is drawn from the tree's file, not from the shipped one.
    const fs::path other = scratch / "other";
    WriteBytes(other / "Data/maps/map3", user);
    ASSERT_TRUE(GenerateDataTree(other, TREVLA_MAP_SOURCES, error)) << error;
    EXPECT_EQ(ReadBytes(other / "data/textures/menu/map3.bmp"),
              ReadBytes(root / "data/textures/menu/map3.bmp"));
}

TEST_F(TreeTest, FailuresAreReportedWithTheirReason) {
    std::string error;
    // No map sources: the first missing map is named.
    EXPECT_FALSE(GenerateDataTree(scratch / "tree", scratch / "nowhere", error));
    EXPECT_NE(error.find("map1"), std::string::npos) << error;

    // A tree that cannot be created: a file stands where a directory must go.
    error.clear();
    WriteBytes(scratch / "blocked/data", "a file");
    EXPECT_FALSE(GenerateDataTree(scratch / "blocked", TREVLA_MAP_SOURCES, error));
    EXPECT_NE(error.find("data"), std::string::npos) << error;

    // A picture that cannot be written is an error, not a silent gap: here a
    // directory stands where the editor's panel picture goes.
    error.clear();
    fs::create_directories(scratch / "clash/data/mapedit/top.bmp");
    EXPECT_FALSE(GenerateDataTree(scratch / "clash", TREVLA_MAP_SOURCES, error));
    EXPECT_NE(error.find("data/mapedit/top.bmp"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(scratch / "clash/data/mapedit/top.bmp.part"));
}
