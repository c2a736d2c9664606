// The three speed previews: a gauge whose needle stands in the green, gold
// or red band, and the speed's name in that colour.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "assets/palette.h"
#include "assets/picture_kit.h"
#include "assets/pictures.h"

using namespace palette;

namespace {

constexpr float kCentreX = 128;
constexpr float kCentreY = 176;
constexpr float kRadius = 86;
constexpr float kBand = 18;

float Radians(float degrees) { return degrees * std::numbers::pi_v<float> / 180.0f; }

// The part of the gauge's ring between two angles (degrees, 0 to the right,
// counter-clockwise, less than 180 apart).
Distance RingSector(float fromDegrees, float toDegrees) {
    const float a = Radians(fromDegrees);
    const float b = Radians(toDegrees);
    auto f = [=](float x, float y) {
        const float vx = x - kCentreX;
        const float vy = kCentreY - y;
        const float ring = std::abs(std::hypot(vx, vy) - kRadius) - kBand / 2;
        const float afterA = -(vx * -std::sin(a) + vy * std::cos(a));
        const float beforeB = vx * -std::sin(b) + vy * std::cos(b);
        return std::max({ring, afterA, beforeB});
    };
    const float outer = kRadius + kBand;
    return {f, kCentreX - outer, kCentreY - outer, kCentreX + outer, kCentreY + 1};
}

}  // namespace

Image PaintSpeedPreview(int level) {
    static const std::array<const char*, 3> kNames{"SLOW", "NORMAL", "FAST"};
    static const std::array<Rgb, 3> kColours{kGreen, kGold, kRed};
    static const std::array<float, 3> kNeedle{150, 90, 30};
    const auto i = static_cast<std::size_t>(level - 1);

    Image image(256, 256, kInk);
    DrawChoiceTitle(image, "SPEED " + std::to_string(level), level, 3);

    FillShape(image, RingSector(0, 180), Solid(kNight));
    // Slow on the left, fast on the right; the band of this speed is lit.
    static const std::array<std::array<float, 2>, 3> kBands{
        {{121.5f, 180}, {61.5f, 118.5f}, {0, 58.5f}}};
    for (std::size_t band = 0; band < 3; ++band) {
        const Rgb colour = band == i ? kColours[band] : Mix(kColours[band], kInk, 0.6f);
        FillShape(image, RingSector(kBands[band][0], kBands[band][1]), Solid(colour));
    }
    const float angle = Radians(kNeedle[i]);
    const float tipX = kCentreX + std::cos(angle) * (kRadius - 4);
    const float tipY = kCentreY - std::sin(angle) * (kRadius - 4);
    FillShape(image, Segment(kCentreX, kCentreY, tipX, tipY, 4.5f), Solid(kInk));
    FillShape(image, Segment(kCentreX, kCentreY, tipX, tipY, 3), Solid(kCream));
    FillShape(image, Circle(kCentreX, kCentreY, 10), Solid(kMist));
    FillShape(image, Circle(kCentreX, kCentreY, 5), Solid(kSteel));

    DrawTextCentred(image, 128, 222, kNames[i], LabelStyle(34, kColours[i]));
    return image;
}
