// The main menu's pictures: header, buttons, preview frame, information
// panel and the one- and two-player previews.
#include <algorithm>
#include <array>
#include <string>

#include "assets/palette.h"
#include "assets/picture_kit.h"
#include "assets/pictures.h"

using namespace palette;

Image PaintMenuHeader() {
    // 1024 by 128, drawn at 640 by 77: the banner with the title between a
    // green and a blue snake heading for an item each.
    Image image(1024, 128, kBlack);
    DrawPanel(image, 6, 6, 1018, 122, 26, kDusk, kNight, kGold, 4);
    FillShape(
        image, Outline(RoundRect(14, 14, 1010, 114, 20), 1.5f), Solid(Mix(kNight, kSteel, 0.6f)));

    const std::string title = "TREVLA";
    DrawTextCentred(image, 512, 62, title, TitleStyle(90, 20, 104));

    const Image item = PaintItemCell();
    DrawSnake(
        image, 1, {{0, 2}, {1, 2}, {2, 2}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}, 48, 16, 24);
    DrawCell(image, item, 8, 1, 48, 16, 24);
    DrawSnake(
        image, 2, {{11, 2}, {10, 2}, {9, 2}, {9, 1}, {8, 1}, {7, 1}, {6, 1}, {5, 1}}, 688, 16, 24);
    DrawCell(image, item, 3, 1, 688, 16, 24);
    return image;
}

Image PaintPreviewFrame() {
    // 256 by 256, drawn at that size. The preview covers the inner 176 by 176;
    // with the exit item selected nothing covers it, so it says what Enter does.
    Image image(256, 256, kBlack);
    DrawPanel(image, 2, 2, 254, 254, 20, kDusk, kNight, kSteel, 4);
    for (float c : {14.0f, 242.0f})
        for (float d : {14.0f, 242.0f}) FillShape(image, Circle(c, d, 4), Solid(kMist));
    FillShape(image, RoundRect(35, 35, 221, 221, 6), Solid(kInk));
    FillShape(image, Outline(RoundRect(35, 35, 221, 221, 6), 3), Solid(kGold));
    DrawTextCentred(image, 128, 108, "Press ENTER", LabelStyle(22, kCream));
    DrawTextCentred(image, 128, 146, "to quit", LabelStyle(22, kCream));
    return image;
}

Image PaintInfoPanel() {
    // 256 by 64, drawn at that size: the menu's keys.
    Image image(256, 64, kBlack);
    DrawPanel(image, 1, 1, 255, 63, 10, kNight, kInk, kSteel, 2);
    const std::vector<TextRun> first{
        {"↑ ↓", kGold}, {"  choose     ", kCream}, {"ENTER", kGold}, {"  select", kCream}};
    const std::vector<TextRun> second{
        {"← →", kGold}, {"  map, speed     ", kCream}, {"F1", kGold}, {"  window", kCream}};
    const int size = std::min(FitTextSize("↑ ↓  choose     ENTER  select", 14, 236),
                              FitTextSize("← →  map, speed     F1  window", 14, 236));
    DrawRuns(image, (256 - RunsWidth(first, size)) / 2.0f, 26, first, size);
    DrawRuns(image, (256 - RunsWidth(second, size)) / 2.0f, 49, second, size);
    return image;
}

Image PaintMenuButton(int item, bool selected) {
    // 256 by 64, drawn at 200 by 50. Selected: lit gold with pointers;
    // otherwise a dark plate.
    static const std::array<const char*, 5> kLabels{
        "ONE PLAYER", "TWO PLAYERS", "MAP", "SPEED", "EXIT"};
    const std::string label = kLabels.at(static_cast<std::size_t>(item - 1));
    // One size for every label, that of the longest, so the buttons match.
    int size = 28;
    for (const char* each : kLabels) size = std::min(size, FitTextSize(each, 28, 184));
    Image image(256, 64, kBlack);
    if (selected) {
        FillShape(image, RoundRect(1, 1, 255, 63, 20), Solid(Mix(kBlack, kAmber, 0.45f)));
        DrawPanel(image, 5, 5, 251, 59, 16, Mix(kGold, kCream, 0.5f), kAmber, kCream, 3);
        DrawTextCentred(image, 128, 32, label, LabelStyle(size, kInk));
        TextStyle pointer = LabelStyle(18, kInk);
        pointer.outline = 0;
        DrawTextCentred(image, 21, 32, "▶", pointer);
        DrawTextCentred(image, 235, 32, "◀", pointer);
    } else {
        DrawPanel(image, 5, 5, 251, 59, 16, kDusk, kNight, kSteel, 3);
        DrawTextCentred(image, 128, 32, label, LabelStyle(size, kMist));
    }
    return image;
}

namespace {

// A preview's field: 16 by 13 cells of 16 pixels under a 48-pixel title,
// walled all round, with the editor's grid faintly on the floor.
constexpr int kCell = 16;
constexpr int kFieldTop = 48;

Image PreviewField(const std::string& title) {
    Image image(256, 256, kInk);
    DrawTextCentred(image, 128, 24, title, TitleStyle(30, 9, 39));
    const Image wall = PaintWallCell();
    const Image floor = PaintEmptyCell();
    for (int row = 0; row < 13; ++row)
        for (int col = 0; col < 16; ++col) {
            const bool ring = row == 0 || row == 12 || col == 0 || col == 15;
            DrawCell(image, ring ? wall : floor, col, row, 0, kFieldTop, kCell);
        }
    return image;
}

}  // namespace

Image PaintOnePlayerPreview() {
    Image image = PreviewField("1 PLAYER");
    DrawSnake(image,
              1,
              {{3, 10}, {3, 9}, {3, 8}, {3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}, {7, 6}, {7, 5}},
              0,
              kFieldTop,
              kCell);
    const Image item = PaintItemCell();
    for (const auto& [col, row] : {std::pair{7, 2}, {11, 4}, {12, 9}, {9, 10}, {5, 3}, {2, 2}})
        DrawCell(image, item, col, row, 0, kFieldTop, kCell);
    return image;
}

Image PaintTwoPlayerPreview() {
    Image image = PreviewField("2 PLAYERS");
    DrawSnake(image,
              1,
              {{2, 10}, {3, 10}, {4, 10}, {5, 10}, {5, 9}, {5, 8}, {5, 7}, {5, 6}},
              0,
              kFieldTop,
              kCell);
    DrawSnake(image,
              2,
              {{13, 2}, {12, 2}, {11, 2}, {10, 2}, {10, 3}, {10, 4}, {10, 5}, {10, 6}},
              0,
              kFieldTop,
              kCell);
    DrawCell(image, PaintItemCell(), 8, 5, 0, kFieldTop, kCell);
    return image;
}
