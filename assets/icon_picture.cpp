#include <algorithm>
#include <array>
#include <utility>

#include "assets/icons.h"
#include "assets/palette.h"
#include "assets/picture_kit.h"

using namespace palette;

namespace {

// The layout is drawn on a 256-unit square and scaled to the icon's size.
constexpr float kUnits = 256.0f;

struct Layout {
    float scale;
    float operator()(float units) const { return units * scale; }
};

// The tile leaves a margin, as the desktop's other application icons do.
Distance Tile(const Layout& u) { return RoundRect(u(16), u(16), u(240), u(240), u(44)); }

// The snake's body: runs that turn at right angles, as it moves on the field.
constexpr std::array<std::pair<float, float>, 6> kBody{
    {{60, 76}, {196, 76}, {196, 128}, {60, 128}, {60, 180}, {140, 180}}};
constexpr float kHalfWidth = 17;

Distance SnakeBody(const Layout& u) {
    std::vector<Distance> runs;
    for (std::size_t i = 1; i < kBody.size(); ++i)
        runs.push_back(Segment(u(kBody[i - 1].first),
                               u(kBody[i - 1].second),
                               u(kBody[i].first),
                               u(kBody[i].second),
                               u(kHalfWidth)));
    return {[runs](float x, float y) {
                float d = runs[0](x, y);
                for (const Distance& run : runs) d = std::min(d, run(x, y));
                return d;
            },
            u(60 - kHalfWidth),
            u(76 - kHalfWidth),
            u(196 + kHalfWidth),
            u(180 + kHalfWidth)};
}

// The tile with the snake heading right towards an item.
Image PaintScene(const Layout& u) {
    const int size = static_cast<int>(u(kUnits));
    // The border colour under everything, so the tile's anti-aliased edge
    // blends towards its own border and not towards a dark fringe.
    Image image(size, size, kSteel);
    DrawPanel(image, u(16), u(16), u(240), u(240), u(44), kDusk, kInk, kSteel, u(8));

    const Distance body = SnakeBody(u);
    FillShape(image, body, VerticalGradient(u(60), u(200), kGreenLight, kGreen));
    FillShape(image, Outline(body, u(5)), Solid(kGreenDeep));
    const float headX = u(148), headY = u(180);
    FillShape(image, Circle(headX, headY, u(22)), Solid(kGreen));
    FillShape(image, Outline(Circle(headX, headY, u(22)), u(5)), Solid(kGreenDeep));
    FillShape(image, Circle(headX + u(6), headY - u(8), u(7)), Solid(kCream));
    FillShape(image, Circle(headX + u(8), headY - u(8), u(3.5f)), Solid(kInk));

    const float itemX = u(200), itemY = u(180);
    FillShape(image, Circle(itemX, itemY, u(15)), Solid(kRed));
    FillShape(image, Outline(Circle(itemX, itemY, u(15)), u(4)), Solid(kRedDeep));
    FillShape(image, Circle(itemX - u(5), itemY - u(5), u(4.5f)), Solid(kRedLight));
    return image;
}

// Opaque on the tile, transparent beyond it, anti-aliased in between.
std::vector<std::uint8_t> TileCoverage(const Layout& u) {
    const int size = static_cast<int>(u(kUnits));
    Image mask(size, size, kBlack);
    FillShape(mask, Tile(u), Solid({255, 255, 255}));
    std::vector<std::uint8_t> alpha;
    alpha.reserve(mask.pixels.size());
    for (const Rgb& p : mask.pixels) alpha.push_back(p.r);
    return alpha;
}

}  // namespace

RgbaImage PaintGameIcon(int size) {
    const Layout u{size / kUnits};
    return {PaintScene(u), TileCoverage(u)};
}

RgbaImage PaintEditorIcon(int size) {
    const Layout u{size / kUnits};
    Image image = PaintScene(u);
    // The editor's cursor frame around the item's cell.
    FillShape(
        image, Outline(RoundRect(u(174), u(154), u(226), u(206), u(6)), u(8)), Solid(kCursor));
    return {std::move(image), TileCoverage(u)};
}
