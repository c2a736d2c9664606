// One picture as one textured quad at depth 0, in the 640 by 480 view with
// the origin at the top-left corner.
#pragma once

#include <array>

struct Corner {
    float x;
    float y;
};

// Corners in the order (left, bottom), (right, bottom), (right, top),
// (left, top), which get the texture coordinates (0, 0), (1, 0), (1, 1),
// (0, 1): the picture's first row is its bottom row, so it shows upright.
void DrawQuad(int entry, const std::array<Corner, 4>& corners);

// A picture stretched over the rectangle; bottom is the larger y.
void DrawPicture(int entry, float left, float top, float right, float bottom);
