// 16- and 32-bit BMP pixels with channel masks that SDL has no pixel format
// for (a legal file may put its channels in any order and width).

#include "platform/dib_layout.h"

#include <bit>

namespace dib {

namespace {

// One channel of a pixel, scaled to 0..255.
unsigned char Channel(std::uint32_t pixel, std::uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const std::uint64_t max = mask >> shift;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<unsigned char>((value * 255 + max / 2) / max);
}

}  // namespace

DibError DecodeBitfields(ByteSpan file, const Layout& layout, std::vector<unsigned char>& rgb) {
    const std::size_t bytesPerPixel = layout.bitCount / 8;
    const std::size_t rowBytes =
        (static_cast<std::size_t>(layout.width) * bytesPerPixel + 3) / 4 * 4;
    const std::size_t width = static_cast<std::size_t>(layout.width);
    rgb.assign(width * 3 * static_cast<std::size_t>(layout.height), 0);
    for (std::int32_t y = 0; y < layout.height; ++y) {
        // Stored rows run bottom-up unless the picture says otherwise.
        const std::int32_t storedRow = layout.topDown ? layout.height - 1 - y : y;
        const std::size_t rowAt =
            layout.pixelOffset + static_cast<std::size_t>(storedRow) * rowBytes;
        unsigned char* out = &rgb[static_cast<std::size_t>(y) * width * 3];
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t at = rowAt + x * bytesPerPixel;
            const std::uint32_t pixel = bytesPerPixel == 2 ? ReadU16(file, at) : ReadU32(file, at);
            for (int c = 0; c < 3; ++c) {
                *out++ = Channel(pixel, layout.masks[c]);
            }
        }
    }
    return DibError::None;
}

}  // namespace dib
