// The PNG writer and the desktop icons, decoded by an independent reader
// (libpng, which checks every chunk's CRC and the zlib stream's Adler-32):
// exactly the painted pixels and coverage, whatever the number of stored
// deflate blocks; icons with transparent corners around an opaque tile.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

#include "assets/icons.h"
#include "assets/png_writer.h"

namespace {

struct Decoded {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    std::string error;  // empty when the file decoded
};

Decoded DecodePng(const std::vector<unsigned char>& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Decoded decoded;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        decoded.error = image.message;
        return decoded;
    }
    decoded.width = static_cast<int>(image.width);
    decoded.height = static_cast<int>(image.height);
    image.format = PNG_FORMAT_RGBA;
    decoded.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, decoded.rgba.data(), 0, nullptr))
        decoded.error = image.message;
    return decoded;
}

std::vector<std::uint8_t> Rgba(const RgbaImage& image) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < image.colour.pixels.size(); ++i) {
        const Rgb p = image.colour.pixels[i];
        out.insert(out.end(), {p.r, p.g, p.b, image.alpha[i]});
    }
    return out;
}

// Every pixel different from its neighbours, in colour and coverage.
RgbaImage Pattern(int width, int height) {
    RgbaImage image{Image(width, height), {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            image.colour.at(x, y) = {static_cast<std::uint8_t>(x * 7 + y),
                                     static_cast<std::uint8_t>(y * 13 + x * 3),
                                     static_cast<std::uint8_t>((x ^ y) * 5)};
            image.alpha.push_back(static_cast<std::uint8_t>(x * 31 + y * 17));
        }
    return image;
}

void ExpectDecodesTo(const RgbaImage& image) {
    const Decoded decoded = DecodePng(EncodePng(image));
    ASSERT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.width, image.colour.width);
    EXPECT_EQ(decoded.height, image.colour.height);
    EXPECT_TRUE(decoded.rgba == Rgba(image));
}

}  // namespace

TEST(PngWriter, DecodesToThePixelsWrittenWithAnyNumberOfBlocks) {
    struct Size {
        int width, height;
    };
    // A row of 64 pixels takes 257 bytes with its filter byte, so 255 rows
    // fill one stored block of 65535 bytes exactly and 510 rows two.
    for (Size size :
         {Size{1, 1}, Size{3, 5}, Size{64, 255}, Size{64, 256}, Size{64, 510}, Size{300, 200}}) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        ExpectDecodesTo(Pattern(size.width, size.height));
    }
}

TEST(Icons, EverySizeIsATileWithTransparentCornersAndTheTwoDiffer) {
    for (int size : {16, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const RgbaImage game = PaintGameIcon(size);
        const RgbaImage editor = PaintEditorIcon(size);
        for (const RgbaImage* icon : {&game, &editor}) {
            ASSERT_EQ(icon->colour.width, size);
            ASSERT_EQ(icon->colour.height, size);
            ASSERT_EQ(icon->alpha.size(), static_cast<std::size_t>(size * size));
            const auto alphaAt = [&](int x, int y) { return icon->alpha[y * size + x]; };
            for (int corner : {0, size - 1}) {
                EXPECT_EQ(alphaAt(corner, 0), 0);
                EXPECT_EQ(alphaAt(corner, size - 1), 0);
            }
            EXPECT_EQ(alphaAt(size / 2, size / 2), 255);
            EXPECT_EQ(alphaAt(size / 2, size / 8), 255) << "the tile reaches near the edge";
            ExpectDecodesTo(*icon);
        }
        EXPECT_FALSE(game.colour.pixels == editor.colour.pixels);
    }
}
