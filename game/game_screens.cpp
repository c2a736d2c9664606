#include "game/game_screens.h"

#include <GL/gl.h>

#include "base/gl_state.h"
#include "base/picture_quad.h"
#include "game/game_state.h"
#include "game/main_menu.h"
#include "game/round_outcome.h"

namespace {

constexpr float kCellSize = 8.0f;

// The picture of a cell, or -1 for one that shows the background. A hand-made
// map may hold codes outside 0 to 4; snakes pass through such cells, so they
// show as empty rather than with whatever picture was bound before.
int CellTexture(std::int32_t code) {
    switch (code) {
        case Wall: return WallTexture;
        case Item: return ItemTexture;
        case Snake1: return Snake1Texture;
        case Snake2: return Snake2Texture;
        default: return -1;
    }
}

void DrawCells() {
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            const int texture = CellTexture(playfield.at(x, y));
            if (texture < 0) continue;
            const float left = kCellSize * x;
            const float top = kCellSize * y;
            DrawPicture(texture, left, top, left + kCellSize, top + kCellSize);
        }
    }
}

void DrawSidePanel() {
    // The header's left edge is slanted: 483 at the bottom, 480 at the top.
    DrawQuad(PanelHeaderTexture, {{{483, 70}, {637, 70}, {637, 20}, {480, 20}}});
    DrawPicture(Player1LabelTexture, 490, 100, 618, 132);
    DrawPicture(Player2LabelTexture, 490, 200, 618, 232);
}

}  // namespace

bool DrawScene() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (inMenu) {
        DrawMenuScreen();
    } else if (isLoading) {
        DrawLoadingScreen();
    } else {
        DrawPlayfield();
        DrawHud();
        if (roundOver) DrawOutcomeText();
        if (paused) DrawPauseText();
    }
    return true;
}

void DrawLoadingScreen() { DrawPicture(LoadingTexture, 120, 40, 520, 440); }

void DrawPlayfield() {
    DrawCells();
    DrawSidePanel();
}

void DrawHud() {
    glRasterPos2d(490, 150);
    PrintText("Lives  = %2i", player1.lives);
    glRasterPos2d(490, 170);
    PrintText("Points = %2i", player1.points);
    glRasterPos2d(490, 250);
    PrintText("Lives  = %2i", player2.lives);
    glRasterPos2d(490, 270);
    PrintText("Points = %2i", player2.points);
}
