#include "assets/image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

Image::Image(int w, int h, Rgb fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

namespace {

std::uint8_t Channel(float v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {Channel(a.r + (b.r - a.r) * t),
            Channel(a.g + (b.g - a.g) * t),
            Channel(a.b + (b.b - a.b) * t)};
}

void Blend(Image& image, int x, int y, Rgb c, float coverage) {
    if (!image.contains(x, y) || coverage <= 0.0f) return;
    Rgb& p = image.at(x, y);
    p = coverage >= 1.0f ? c : Mix(p, c, coverage);
}

Paint Solid(Rgb c) {
    return [c](float, float) { return c; };
}

Paint VerticalGradient(float top, float bottom, Rgb topColour, Rgb bottomColour) {
    return [=](float, float y) {
        return Mix(topColour, bottomColour, (y - top) / std::max(1.0f, bottom - top));
    };
}

void FillShape(Image& image, const Distance& distance, const Paint& paint) {
    const int left = static_cast<int>(std::max(0.0f, std::floor(distance.x0) - 1));
    const int top = static_cast<int>(std::max(0.0f, std::floor(distance.y0) - 1));
    const int right = static_cast<int>(std::min<float>(image.width, std::ceil(distance.x1) + 1));
    const int bottom = static_cast<int>(std::min<float>(image.height, std::ceil(distance.y1) + 1));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const float px = x + 0.5f;
            const float py = y + 0.5f;
            const float coverage = std::clamp(0.5f - distance(px, py), 0.0f, 1.0f);
            if (coverage > 0.0f) Blend(image, x, y, paint(px, py), coverage);
        }
    }
}

Distance RoundRect(float x0, float y0, float x1, float y1, float radius) {
    const float cx = (x0 + x1) / 2;
    const float cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2 - radius;
    const float hy = (y1 - y0) / 2 - radius;
    auto f = [=](float x, float y) {
        const float qx = std::abs(x - cx) - hx;
        const float qy = std::abs(y - cy) - hy;
        const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
    return {f, x0, y0, x1, y1};
}

Distance Circle(float cx, float cy, float radius) {
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; },
            cx - radius,
            cy - radius,
            cx + radius,
            cy + radius};
}

Distance Outline(Distance shape, float width) {
    const float x0 = shape.x0, y0 = shape.y0, x1 = shape.x1, y1 = shape.y1;
    return {[shape = std::move(shape), width](float x, float y) {
                return std::abs(shape(x, y) + width / 2) - width / 2;
            },
            x0,
            y0,
            x1,
            y1};
}

Distance Segment(float x0, float y0, float x1, float y1, float halfWidth) {
    auto f = [=](float x, float y) {
        const float dx = x1 - x0;
        const float dy = y1 - y0;
        const float len2 = dx * dx + dy * dy;
        const float t =
            len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f) : 0.0f;
        return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - halfWidth;
    };
    return {f,
            std::min(x0, x1) - halfWidth,
            std::min(y0, y1) - halfWidth,
            std::max(x0, x1) + halfWidth,
            std::max(y0, y1) + halfWidth};
}

void FillRect(Image& image, int x0, int y0, int x1, int y1, Rgb c) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, image.width);
    y1 = std::min(y1, image.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) image.at(x, y) = c;
}

void BlitScaled(Image& dst, const Image& src, int x, int y, int scale) {
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx)
            FillRect(dst,
                     x + sx * scale,
                     y + sy * scale,
                     x + (sx + 1) * scale,
                     y + (sy + 1) * scale,
                     src.at(sx, sy));
}

Image Resample(const Image& src, int width, int height) {
    Image out(width, height);
    const double fx = static_cast<double>(src.width) / width;
    const double fy = static_cast<double>(src.height) / height;
    for (int y = 0; y < height; ++y) {
        const double y0 = y * fy;
        const double y1 = (y + 1) * fy;
        for (int x = 0; x < width; ++x) {
            const double x0 = x * fx;
            const double x1 = (x + 1) * fx;
            double r = 0, g = 0, b = 0, total = 0;
            for (int sy = static_cast<int>(y0); sy < std::min<double>(std::ceil(y1), src.height);
                 ++sy) {
                const double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
                for (int sx = static_cast<int>(x0); sx < std::min<double>(std::ceil(x1), src.width);
                     ++sx) {
                    const double w = wy * (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0));
                    if (w <= 0) continue;
                    const Rgb p = src.at(sx, sy);
                    r += p.r * w;
                    g += p.g * w;
                    b += p.b * w;
                    total += w;
                }
            }
            if (total > 0) {
                out.at(x, y) = {Channel(static_cast<float>(r / total)),
                                Channel(static_cast<float>(g / total)),
                                Channel(static_cast<float>(b / total))};
            }
        }
    }
    return out;
}

Image PixelArt(const std::vector<std::string_view>& rows,
               std::string_view keys,
               const std::vector<Rgb>& colours) {
    Image image(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = 0; y < image.height; ++y) {
        if (rows[y].size() != static_cast<std::size_t>(image.width))
            throw std::logic_error("pixel art rows differ in length");
        for (int x = 0; x < image.width; ++x) {
            const auto k = keys.find(rows[y][x]);
            if (k == std::string_view::npos || k >= colours.size())
                throw std::logic_error("pixel art key without a colour");
            image.at(x, y) = colours[k];
        }
    }
    return image;
}
