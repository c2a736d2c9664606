// The loading picture, up for two seconds before every game: the title, two
// snakes circling a track, and the keys of the game.
#include <cmath>
#include <vector>

#include "assets/palette.h"
#include "assets/picture_kit.h"
#include "assets/pictures.h"

using namespace palette;

namespace {

// The cells round a rectangle of w by h cells, clockwise from the top-left.
std::vector<std::pair<int, int>> Track(int w, int h) {
    std::vector<std::pair<int, int>> cells;
    for (int x = 0; x < w; ++x) cells.emplace_back(x, 0);
    for (int y = 1; y < h; ++y) cells.emplace_back(w - 1, y);
    for (int x = w - 2; x >= 0; --x) cells.emplace_back(x, h - 1);
    for (int y = h - 2; y > 0; --y) cells.emplace_back(0, y);
    return cells;
}

}  // namespace

Image PaintLoadingScreen() {
    // 512 by 512, drawn at 400 by 400.
    Image image(512, 512, kBlack);
    FillShape(image, RoundRect(0, 0, 512, 512, 28), [](float x, float y) {
        const float d = std::hypot(x - 256, y - 220) / 360.0f;
        return Mix(kNight, kInk, d);
    });
    FillShape(image, Outline(RoundRect(2, 2, 510, 510, 26), 4), Solid(kSteel));

    DrawTextCentred(image, 256, 66, "LOADING", TitleStyle(64, 36, 98));
    DrawTextCentred(image, 256, 122, "Get ready!", LabelStyle(24, kCream));

    // Two snakes chasing each other round a track of 12 by 6 cells of 24.
    constexpr int kCellSize = 24;
    constexpr int kLeft = 256 - 6 * kCellSize;
    constexpr int kTop = 158;
    const auto track = Track(12, 6);
    const Image floor = PaintEmptyCell();
    for (const auto& [col, row] : track) DrawCell(image, floor, col, row, kLeft, kTop, kCellSize);
    std::vector<std::pair<int, int>> green(track.begin() + 1, track.begin() + 9);
    std::vector<std::pair<int, int>> blue(track.begin() + 15, track.begin() + 23);
    DrawSnake(image, 1, green, kLeft, kTop, kCellSize);
    DrawSnake(image, 2, blue, kLeft, kTop, kCellSize);
    DrawCell(image, PaintItemCell(), track[11].first, track[11].second, kLeft, kTop, kCellSize);
    DrawCell(image, PaintItemCell(), track[26].first, track[26].second, kLeft, kTop, kCellSize);
    FillShape(image,
              Outline(RoundRect(kLeft + kCellSize - 1.0f,
                                kTop + kCellSize - 1.0f,
                                kLeft + 11 * kCellSize + 1.0f,
                                kTop + 5 * kCellSize + 1.0f,
                                3),
                      2),
              Solid(kDusk));

    // The keys.
    DrawPanel(image, 36, 326, 476, 490, 16, kNight, kInk, kSteel, 3);
    constexpr int kSize = 22;
    const std::vector<std::vector<TextRun>> lines{
        {{"PLAYER 1", kGreen}, {"   arrow keys", kCream}},
        {{"PLAYER 2", kBlue}, {"   W  A  S  D", kCream}},
        {{"P", kGold},
         {" pause    ", kCream},
         {"ESC", kGold},
         {" menu    ", kCream},
         {"F1", kGold},
         {" window", kCream}},
    };
    float baseline = 368;
    for (const auto& line : lines) {
        DrawRuns(image, (512 - RunsWidth(line, kSize)) / 2.0f, baseline, line, kSize);
        baseline += 44;
    }
    return image;
}
