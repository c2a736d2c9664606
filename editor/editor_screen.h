// The editor's frame: the grid with its cursor, the side panel with the
// cursor's coordinates, the command list and the open prompt.
#pragma once

#include <array>

// Entries of the editor's TextureTable, in the order of its file list.
enum EditorTexture : int {
    CursorEmptyTexture = 0,
    CursorWallTexture = 1,
    CursorItemTexture = 2,
    CursorSnake1Texture = 3,
    CursorSnake2Texture = 4,
    WallTexture = 5,
    ItemTexture = 6,
    Snake1Texture = 7,
    Snake2Texture = 8,
    EmptyTexture = 9,
    PanelTexture = 10,
};

inline constexpr std::array<const char*, 11> kEditorTextureFiles = {
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

// The picture of a cell holding `code`, with or without the cursor on it.
// Codes outside 0 to 4 (hand-made files) show as Empty, so the cursor stays
// visible on them.
EditorTexture CellTexture(int code, bool cursorHere);

// Draws one frame; always true.
bool DrawScene();
void DrawEditorGrid();
void DrawEditorPanel();
