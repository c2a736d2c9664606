// Pieces that several pictures share, so they keep one look: panels, the
// title lettering and little snakes made of the playfield's own cells.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "assets/image.h"
#include "assets/text_render.h"

// A rounded panel with a vertical gradient and an outline.
void DrawPanel(Image& image,
               float x0,
               float y0,
               float x1,
               float y1,
               float radius,
               Rgb top,
               Rgb bottom,
               Rgb border,
               float borderWidth);

// Gold lettering with a dark outline and drop shadow, for titles.
TextStyle TitleStyle(int size, float top, float bottom);
// Plain lettering in one colour with a thin dark outline.
TextStyle LabelStyle(int size, Rgb colour);

// Cells of a little snake, tail first and head last, in a field of cells of
// the given pixel size with its top-left corner at (originX, originY). The
// head gets eyes looking the way the snake goes.
void DrawSnake(Image& image,
               int player,
               const std::vector<std::pair<int, int>>& cells,
               int originX,
               int originY,
               int cellSize);
// One playfield cell picture scaled up at cell (col, row).
void DrawCell(
    Image& image, const Image& cell, int col, int row, int originX, int originY, int cellSize);

// Text made of runs in different colours, one after the other on a baseline.
struct TextRun {
    std::string_view text;
    Rgb colour;
};
int RunsWidth(const std::vector<TextRun>& runs, int size);
void DrawRuns(Image& image, float x, float baseline, const std::vector<TextRun>& runs, int size);

// The title band of a choice's preview (map, speed): the title with arrows
// on either side, an arrow dimmed where Left or Right can go no further.
void DrawChoiceTitle(Image& image, std::string_view title, int value, int last);
