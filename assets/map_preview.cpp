// The map previews of the menu, drawn from the map files themselves so each
// shows the layout the game will load.
#include <algorithm>
#include <array>
#include <string>

#include "assets/palette.h"
#include "assets/picture_kit.h"
#include "assets/pictures.h"
#include "mapfile/map_file.h"

using namespace palette;

namespace {

constexpr int kBoxLeft = 28;
constexpr int kBoxTop = 48;
constexpr int kBoxSize = 200;
constexpr int kSubsamples = 4;

// A code the editor never writes shows as free floor, as the game draws it
// and as snakes pass through it.
Rgb CellColour(std::int32_t code) {
    switch (code) {
        case Wall: return kStone;
        case Item: return kRed;
        case Snake1: return kGreen;
        case Snake2: return kBlue;
        default: return {18, 22, 48};
    }
}

// The start cell the game takes for a code: the last one in reading order.
bool FindStart(const MapGrid& grid, std::int32_t code, int& sx, int& sy) {
    bool found = false;
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x)
            if (grid.at(x, y) == code) {
                sx = x;
                sy = y;
                found = true;
            }
    return found;
}

}  // namespace

Image PaintMapPreview(int slot, const MapGrid& grid) {
    Image image(256, 256, kInk);
    DrawChoiceTitle(image, "MAP " + std::to_string(slot), slot, 5);

    // 60 cells over 200 pixels: each pixel averages the cells under it.
    for (int py = 0; py < kBoxSize; ++py) {
        for (int px = 0; px < kBoxSize; ++px) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSubsamples; ++sy)
                for (int sx = 0; sx < kSubsamples; ++sx) {
                    const int cx = (px * kSubsamples + sx) * kMapSize / (kBoxSize * kSubsamples);
                    const int cy = (py * kSubsamples + sy) * kMapSize / (kBoxSize * kSubsamples);
                    const Rgb c = CellColour(grid.at(cx, cy));
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            constexpr int n = kSubsamples * kSubsamples;
            image.at(kBoxLeft + px, kBoxTop + py) = {static_cast<std::uint8_t>((r + n / 2) / n),
                                                     static_cast<std::uint8_t>((g + n / 2) / n),
                                                     static_cast<std::uint8_t>((b + n / 2) / n)};
        }
    }
    FillShape(image,
              Outline(RoundRect(kBoxLeft - 3.0f,
                                kBoxTop - 3.0f,
                                kBoxLeft + kBoxSize + 3.0f,
                                kBoxTop + kBoxSize + 3.0f,
                                3),
                      2),
              Solid(kSteel));

    // A start cell is a single small dot at this scale: ring it in its colour.
    constexpr float kScale = static_cast<float>(kBoxSize) / kMapSize;
    for (const auto& [code, colour] : {std::pair{Snake1, kGreen}, std::pair{Snake2, kBlue}}) {
        int sx = 0, sy = 0;
        if (!FindStart(grid, code, sx, sy)) continue;
        const float cx = kBoxLeft + (sx + 0.5f) * kScale;
        const float cy = kBoxTop + (sy + 0.5f) * kScale;
        FillShape(image, Circle(cx, cy, 5.5f), Solid(kCream));
        FillShape(image, Circle(cx, cy, 4), Solid(colour));
    }
    return image;
}
