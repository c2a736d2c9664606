// The map reader on any bytes, then the writer on what it read: the written
// file reads back into the same grid, writing that grid again gives the same
// bytes, and a grid of one-character codes gives 60 lines of 122 bytes.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_files.h"
#include "mapfile/map_file.h"

namespace {

bool OneCharacterCodes(const MapGrid& grid) {
    for (const auto& row : grid.cells) {
        for (std::int32_t cell : row) {
            if (cell < 0 || cell > 9) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string input = ScratchPath("input");
    static const std::string first = ScratchPath("first");
    static const std::string second = ScratchPath("second");
    WriteScratch(input, data, size);

    // Cells the file does not reach keep what they held.
    MapGrid grid;
    for (auto& row : grid.cells) row.fill(-7);
    ReadMapFile(input.c_str(), grid);

    if (!WriteMapFile(first.c_str(), grid)) std::abort();
    MapGrid back;
    for (auto& row : back.cells) row.fill(5);
    ReadMapFile(first.c_str(), back);
    if (back.cells != grid.cells) std::abort();

    if (!WriteMapFile(second.c_str(), back)) std::abort();
    const std::string bytes = ReadScratch(first);
    if (bytes != ReadScratch(second)) std::abort();
    if (OneCharacterCodes(grid) && bytes.size() != 60u * 122u) std::abort();
    return 0;
}
