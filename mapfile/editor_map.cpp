#include "mapfile/map_file.h"

MapGrid editorGrid;

void LoadMap() {
    editorGrid = MapGrid{};
    if (const char* path = MapSlotPath(mapSlot)) {
        ReadMapFile(path, editorGrid);
    }
}

void SaveMap() {
    // The default map is a template the editor never overwrites.
    if (IsPlayableMapSlot(mapSlot)) {
        WriteMapFile(MapSlotPath(mapSlot), editorGrid);
    }
}
