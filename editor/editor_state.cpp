#include "editor/editor_state.h"

#include "mapfile/map_file.h"

std::int32_t cursorX = kCursorMin;
std::int32_t cursorY = kCursorMin;
bool loadPrompt = false;
bool savePrompt = false;
bool spaceLatch = false;
bool helpLatch = false;
bool quitRequested = false;

void ResetEditorState() {
    cursorX = kCursorMin;
    cursorY = kCursorMin;
    loadPrompt = false;
    savePrompt = false;
    spaceLatch = false;
    helpLatch = false;
    quitRequested = false;
    editorGrid = MapGrid{};
    mapSlot = kDefaultMapSlot;
}
