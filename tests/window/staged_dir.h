// A working directory for a whole program under test: its picture list in
// solid colours and one map file; and the walled map most tests start from.
// Header only, for the tests that link the map file code.
#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "mapfile/map_file.h"
#include "stage.h"

namespace xkit {

// A map with a wall around the field and nothing else.
inline MapGrid WalledMap() {
    MapGrid grid;
    for (int i = 0; i < kMapSize; ++i) {
        grid.at(i, 0) = grid.at(i, kMapSize - 1) = Wall;
        grid.at(0, i) = grid.at(kMapSize - 1, i) = Wall;
    }
    return grid;
}

// A temporary folder with picture i of `pictures` in colourOf(i) and `map`
// written to `mapFile` (a path inside the folder).
class StagedDir : public TempDir {
public:
    StagedDir(const std::string& prefix,
              std::span<const char* const> pictures,
              const std::function<Rgb(int)>& colourOf,
              const std::string& mapFile,
              const MapGrid& map)
        : TempDir(prefix) {
        if (Path().empty()) return;
        WriteSolidPictures(Path(), pictures, colourOf);
        std::filesystem::create_directories((Path() / mapFile).parent_path());
        WriteMapFile((Path() / mapFile).c_str(), map);
    }
};

}  // namespace xkit
