#include "mapfile/map_file.h"

MapGrid editorGrid;

void LoadMap() {
    editorGrid = MapGrid{};
    if (const char* path = MapSlotPath(mapSlot)) {
        ReadMapFile(path, editorGrid);
    }
}

bool SaveMap(int* error) {
    if (error != nullptr) *error = 0;
    // The default map is a template the editor never overwrites.
    if (!IsPlayableMapSlot(mapSlot)) return true;
    return WriteMapFile(MapSlotPath(mapSlot), editorGrid, error);
}
