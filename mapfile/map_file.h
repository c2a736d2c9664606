// Map files: 60 lines of 60 cell codes, read by both programs, written by the
// editor.
#pragma once

#include <array>
#include <cstdint>

enum CellCode : std::int32_t { Empty = 0, Wall = 1, Item = 2, Snake1 = 3, Snake2 = 4 };

constexpr int kMapSize = 60;

// Cells addressed (x, y): x the column from the left, y the row from the top.
struct MapGrid {
    std::array<std::array<std::int32_t, kMapSize>, kMapSize> cells{};  // [y][x]

    std::int32_t& at(int x, int y) { return cells[y][x]; }
    std::int32_t at(int x, int y) const { return cells[y][x]; }
};

// Slots 1 to 5 are the playable maps, 99 the editor's default map.
using MapSlot = int;
constexpr MapSlot kDefaultMapSlot = 99;
constexpr MapSlot kMapSlotCount = 5;

// The slots that the game plays and the editor saves: 1 to 5.
constexpr bool IsPlayableMapSlot(MapSlot slot) { return slot >= 1 && slot <= kMapSlotCount; }

// The file of a slot, or null for a slot that has none.
const char* MapSlotPath(MapSlot slot);

// Reads up to 3600 values into the grid without clearing it first.
void ReadMapFile(const char* path, MapGrid& grid);
// Writes the grid as 60 lines of 60 values, replacing the file whole or not
// at all (see WriteFileAtomically). False when the map was not saved, with
// `error` (when given) set to the errno value of the reason; the old file is
// then as it was.
bool WriteMapFile(const char* path, const MapGrid& grid, int* error = nullptr);

// The slot of the program: the game's menu choice (1 at start), the editor's
// slot for the next load or save (set before each use).
extern MapSlot mapSlot;
// The editor's grid, defined beside LoadMap and SaveMap.
extern MapGrid editorGrid;

// The editor's operations on editorGrid and mapSlot. SaveMap writes only the
// slots 1 to 5, and is false when the map was not saved (see WriteMapFile).
void LoadMap();
bool SaveMap(int* error = nullptr);
