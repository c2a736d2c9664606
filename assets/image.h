// An RGB canvas for painting the pictures, top row first, with the few
// anti-aliased drawing operations the painters need.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row y at [y * width], y = 0 the top row

    Image() = default;
    Image(int w, int h, Rgb fill = {});
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// Linear mix of two colours, t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, float t);

// Covers pixel (x, y) with colour c at the given coverage (0 to 1); pixels
// outside the canvas are ignored.
void Blend(Image& image, int x, int y, Rgb c, float coverage);

// A colour chosen per pixel, for gradients.
using Paint = std::function<Rgb(float x, float y)>;
Paint Solid(Rgb c);
Paint VerticalGradient(float top, float bottom, Rgb topColour, Rgb bottomColour);

// A shape by its signed distance (negative inside, in pixels) at a point,
// with a box that holds it, so that filling it looks at no other pixels.
struct Distance {
    std::function<float(float x, float y)> at;
    float x0 = -1e9f, y0 = -1e9f, x1 = 1e9f, y1 = 1e9f;

    Distance() = default;
    template <typename F>
    Distance(F f) : at(std::move(f)) {}
    template <typename F>
    Distance(F f, float left, float top, float right, float bottom)
        : at(std::move(f)), x0(left), y0(top), x1(right), y1(bottom) {}
    float operator()(float x, float y) const { return at(x, y); }
};

// Fills the shape, anti-aliased over one pixel at its edge.
void FillShape(Image& image, const Distance& distance, const Paint& paint);

// Signed distances of the basic shapes.
Distance RoundRect(float x0, float y0, float x1, float y1, float radius);
Distance Circle(float cx, float cy, float radius);
// The band of the given width along the outline of a shape.
Distance Outline(Distance shape, float width);
// A straight stroke from (x0, y0) to (x1, y1) with round ends.
Distance Segment(float x0, float y0, float x1, float y1, float halfWidth);

// Solid axis-aligned rectangle, x1 and y1 exclusive, clipped to the canvas.
void FillRect(Image& image, int x0, int y0, int x1, int y1, Rgb c);

// Copies src onto dst with its top-left corner at (x, y), each source pixel
// scaled up to a block of scale by scale pixels.
void BlitScaled(Image& dst, const Image& src, int x, int y, int scale);

// Resamples the whole image to a new size by averaging the source area under
// each target pixel, so text stays smooth when a picture is squeezed.
Image Resample(const Image& src, int width, int height);

// An 8 by 8 (or any size) pixel-art picture from rows of key characters;
// each character is looked up in keys, whose colours are in the same order.
Image PixelArt(const std::vector<std::string_view>& rows,
               std::string_view keys,
               const std::vector<Rgb>& colours);
