#include "assets/picture_kit.h"

#include "assets/palette.h"
#include "assets/pictures.h"

using namespace palette;

void DrawPanel(Image& image,
               float x0,
               float y0,
               float x1,
               float y1,
               float radius,
               Rgb top,
               Rgb bottom,
               Rgb border,
               float borderWidth) {
    FillShape(image, RoundRect(x0, y0, x1, y1, radius), VerticalGradient(y0, y1, top, bottom));
    if (borderWidth > 0)
        FillShape(image, Outline(RoundRect(x0, y0, x1, y1, radius), borderWidth), Solid(border));
}

TextStyle TitleStyle(int size, float top, float bottom) {
    TextStyle style;
    style.size = size;
    style.fill = VerticalGradient(top, bottom, Mix(kGold, kCream, 0.55f), kAmber);
    style.outline = size / 18.0f + 1.0f;
    style.outlineColour = kInk;
    style.shadowX = size / 24 + 1;
    style.shadowY = size / 24 + 1;
    style.shadowColour = kBlack;
    return style;
}

TextStyle LabelStyle(int size, Rgb colour) {
    TextStyle style;
    style.size = size;
    style.fill = Solid(colour);
    style.outline = size >= 20 ? 1.5f : 1.0f;
    style.outlineColour = kInk;
    return style;
}

void DrawCell(
    Image& image, const Image& cell, int col, int row, int originX, int originY, int cellSize) {
    BlitScaled(
        image, cell, originX + col * cellSize, originY + row * cellSize, cellSize / cell.width);
}

void DrawSnake(Image& image,
               int player,
               const std::vector<std::pair<int, int>>& cells,
               int originX,
               int originY,
               int cellSize) {
    const Image body = PaintSnakeCell(player);
    for (const auto& [col, row] : cells)
        DrawCell(image, body, col, row, originX, originY, cellSize);
    if (cells.size() < 2) return;

    // Eyes on the head, set towards the direction of the last step.
    const auto [hx, hy] = cells.back();
    const auto [px, py] = cells[cells.size() - 2];
    const float dx = static_cast<float>(hx - px);
    const float dy = static_cast<float>(hy - py);
    const float cx = originX + (hx + 0.5f) * cellSize;
    const float cy = originY + (hy + 0.5f) * cellSize;
    const float forward = cellSize * 0.18f;
    const float side = cellSize * 0.24f;
    const float eye = cellSize * 0.17f;
    for (float s : {-1.0f, 1.0f}) {
        const float ex = cx + dx * forward - dy * side * s;
        const float ey = cy + dy * forward + dx * side * s;
        FillShape(image, Circle(ex, ey, eye), Solid(kCream));
        FillShape(
            image, Circle(ex + dx * eye * 0.4f, ey + dy * eye * 0.4f, eye * 0.55f), Solid(kInk));
    }
}

int RunsWidth(const std::vector<TextRun>& runs, int size) {
    int width = 0;
    for (const TextRun& run : runs) width += TextWidth(run.text, size);
    return width;
}

void DrawRuns(Image& image, float x, float baseline, const std::vector<TextRun>& runs, int size) {
    for (const TextRun& run : runs) {
        DrawText(image, x, baseline, run.text, LabelStyle(size, run.colour));
        x += TextWidth(run.text, size);
    }
}

void DrawChoiceTitle(Image& image, std::string_view title, int value, int last) {
    DrawTextCentred(image, 128, 24, title, TitleStyle(30, 9, 39));
    TextStyle arrow = LabelStyle(22, value > 1 ? kGold : kDusk);
    DrawTextCentred(image, 26, 24, "◀", arrow);
    arrow.fill = Solid(value < last ? kGold : kDusk);
    DrawTextCentred(image, 230, 24, "▶", arrow);
}
