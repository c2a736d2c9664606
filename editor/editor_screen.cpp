#include "editor/editor_screen.h"

#include <GL/gl.h>

#include "base/gl_state.h"
#include "editor/editor_state.h"
#include "mapfile/map_file.h"

namespace {

constexpr float kCellSize = 8.0f;
constexpr double kPanelTextX = 490.0;

// One picture: a textured quad at depth 0, corners from the bottom left
// anticlockwise on screen. The bottom-left and top-left x may differ, which
// gives the panel picture its slanted left edge.
void DrawPicture(float bottomLeftX, float topLeftX, float right, float top, float bottom)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(bottomLeftX, bottom, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(right, bottom, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(right, top, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(topLeftX, top, 0.0f);
    glEnd();
}

void BindPicture(EditorTexture entry)
{
    glBindTexture(GL_TEXTURE_2D, TextureTable[entry]);
}

void PrintAt(double y, const char* text)
{
    glRasterPos2d(kPanelTextX, y);
    PrintText("%s", text);
}

void DrawPromptLines(const char* heading)
{
    PrintAt(240, heading);
    PrintAt(270, "1: Map1");
    PrintAt(290, "2: Map2");
    PrintAt(310, "3: Map3");
    PrintAt(330, "4: Map4");
    PrintAt(350, "5: Map5");
    PrintAt(380, "0: Abort");
}

}  // namespace

EditorTexture CellTexture(int code, bool cursorHere)
{
    switch (code) {
    case Wall:
        return cursorHere ? CursorWallTexture : WallTexture;
    case Item:
        return cursorHere ? CursorItemTexture : ItemTexture;
    case Snake1:
        return cursorHere ? CursorSnake1Texture : Snake1Texture;
    case Snake2:
        return cursorHere ? CursorSnake2Texture : Snake2Texture;
    default:
        return cursorHere ? CursorEmptyTexture : EmptyTexture;
    }
}

bool DrawScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    DrawEditorGrid();
    DrawEditorPanel();
    return true;
}

void DrawEditorGrid()
{
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            const bool cursorHere = x == cursorX && y == cursorY;
            BindPicture(CellTexture(editorGrid.at(x, y), cursorHere));
            const float left = kCellSize * static_cast<float>(x);
            const float top = kCellSize * static_cast<float>(y);
            DrawPicture(left, left, left + kCellSize, top, top + kCellSize);
        }
    }
    BindPicture(PanelTexture);
    DrawPicture(483.0f, 480.0f, 637.0f, 20.0f, 70.0f);
}

void DrawEditorPanel()
{
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
