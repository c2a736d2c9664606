// The pixel data of a BMP, checked before it is decoded: every colour index
// must name an entry of the colour table, and RLE data must end properly
// without running past its bytes or off the picture.

#include "platform/dib_layout.h"
#include "platform/dib_rle.h"

namespace dib {

namespace {

// Colour index of pixel x in an uncompressed row, high bits first.
unsigned IndexAt(const unsigned char* row, std::size_t x, std::uint16_t bits) {
    const std::size_t bit = x * bits;
    const unsigned byte = row[bit / 8];
    const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
    return (byte >> shift) & ((1u << bits) - 1);
}

DibError CheckIndexedRows(ByteSpan file, const Layout& layout) {
    if (layout.paletteEntries >= (std::size_t{1} << layout.bitCount)) {
        return DibError::None;  // every index has its colour
    }
    const std::size_t rowBytes =
        (static_cast<std::size_t>(layout.width) * layout.bitCount + 31) / 32 * 4;
    for (std::int32_t y = 0; y < layout.height; ++y) {
        const unsigned char* row =
            file.data() + layout.pixelOffset + static_cast<std::size_t>(y) * rowBytes;
        for (std::int32_t x = 0; x < layout.width; ++x) {
            if (IndexAt(row, static_cast<std::size_t>(x), layout.bitCount) >=
                layout.paletteEntries) {
                return DibError::ConversionFailed;
            }
        }
    }
    return DibError::None;
}

}  // namespace

DibError CheckPixelData(ByteSpan file, const Layout& layout) {
    if (layout.compression == kRle8 || layout.compression == kRle4) {
        return CheckRle(file, layout);
    }
    if (layout.bitCount <= 8) {
        return CheckIndexedRows(file, layout);
    }
    return DibError::None;
}

}  // namespace dib
