#include "base/picture_quad.h"

#include <GL/gl.h>

#include "base/gl_state.h"

void DrawQuad(int entry, const std::array<Corner, 4>& corners) {
    static constexpr std::array<std::array<float, 2>, 4> kTexCoords{
        {{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    glBindTexture(GL_TEXTURE_2D, TextureTable[entry]);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(kTexCoords[i][0], kTexCoords[i][1]);
        glVertex3f(corners[i].x, corners[i].y, 0.0f);
    }
    glEnd();
}

void DrawPicture(int entry, float left, float top, float right, float bottom) {
    DrawQuad(entry, {{{left, bottom}, {right, bottom}, {right, top}, {left, top}}});
}
