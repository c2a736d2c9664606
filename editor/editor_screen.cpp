#include "editor/editor_screen.h"

#include <GL/gl.h>

#include "base/gl_state.h"
#include "base/picture_quad.h"
#include "editor/editor_state.h"
#include "mapfile/map_file.h"

namespace {

constexpr float kCellSize = 8.0f;
constexpr double kPanelTextX = 490.0;

void PrintAt(double y, const char* text) {
    glRasterPos2d(kPanelTextX, y);
    PrintText("%s", text);
}

void DrawPromptLines(const char* heading) {
    PrintAt(240, heading);
    PrintAt(270, "1: Map1");
    PrintAt(290, "2: Map2");
    PrintAt(310, "3: Map3");
    PrintAt(330, "4: Map4");
    PrintAt(350, "5: Map5");
    PrintAt(380, "0: Abort");
}

}  // namespace

EditorTexture CellTexture(int code, bool cursorHere) {
    switch (code) {
        case Wall: return cursorHere ? CursorWallTexture : WallTexture;
        case Item: return cursorHere ? CursorItemTexture : ItemTexture;
        case Snake1: return cursorHere ? CursorSnake1Texture : Snake1Texture;
        case Snake2: return cursorHere ? CursorSnake2Texture : Snake2Texture;
        default: return cursorHere ? CursorEmptyTexture : EmptyTexture;
    }
}

bool DrawScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    DrawEditorGrid();
    DrawEditorPanel();
    return true;
}

void DrawEditorGrid() {
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            const bool cursorHere = x == cursorX && y == cursorY;
            const float left = kCellSize * static_cast<float>(x);
            const float top = kCellSize * static_cast<float>(y);
            DrawPicture(CellTexture(editorGrid.at(x, y), cursorHere),
                        left,
                        top,
                        left + kCellSize,
                        top + kCellSize);
        }
    }
    // The panel picture's left edge is slanted: 483 at the bottom, 480 at the top.
    DrawQuad(PanelTexture, {{{483, 70}, {637, 70}, {637, 20}, {480, 20}}});
}

void DrawEditorPanel() {
    glRasterPos2d(kPanelTextX, 100);
    PrintText("X-Pos = %2i", cursorX + 1);
    glRasterPos2d(kPanelTextX, 120);
    PrintText("Y-Pos = %2i", cursorY + 1);
    PrintAt(160, "(N)ew");
    PrintAt(180, "(L)oad");
    PrintAt(200, "(S)ave");
    PrintAt(465, "(H)elp");
    if (loadPrompt) {
        DrawPromptLines("Load map:");
    }
    if (savePrompt) {
        DrawPromptLines("Save as:");
    }
}
