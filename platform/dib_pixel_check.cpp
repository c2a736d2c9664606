// The pixel data of a BMP, checked before it is decoded: every colour index
// must name an entry of the colour table, and RLE data must end properly
// without running past its bytes or off the picture.

#include "platform/dib_layout.h"

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

// Where a walk through RLE4 or RLE8 data stands.
struct RleCursor {
    ByteSpan data;
    std::size_t at = 0;
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::size_t entries = 0;
    bool rle4 = false;
};

bool Available(const RleCursor& walk, std::size_t bytes) {
    return bytes <= walk.data.size() - walk.at;
}

bool Fits(const RleCursor& walk, unsigned pixels) {
    return walk.y < walk.height && walk.x + pixels <= walk.width;
}

bool Known(const RleCursor& walk, unsigned index) { return index < walk.entries; }

// `count` pixels of one colour (RLE4: two alternating colours).
bool RepeatedRun(RleCursor& walk, unsigned count, unsigned value) {
    if (!Fits(walk, count)) {
        return false;
    }
    const bool known = walk.rle4
                           ? Known(walk, value >> 4) && (count == 1 || Known(walk, value & 15))
                           : Known(walk, value);
    walk.x += count;
    return known;
}

bool Delta(RleCursor& walk) {
    if (!Available(walk, 2)) {
        return false;
    }
    walk.x += walk.data[walk.at];
    walk.y += walk.data[walk.at + 1];
    walk.at += 2;
    return walk.x <= walk.width && walk.y <= walk.height;
}

// Literal pixels, padded to a 16-bit boundary.
bool LiteralRun(RleCursor& walk, unsigned count) {
    const std::size_t bytes = walk.rle4 ? (count + 1) / 2 : count;
    const std::size_t padded = (bytes + 1) / 2 * 2;
    if (!Available(walk, padded) || !Fits(walk, count)) {
        return false;
    }
    for (unsigned i = 0; i < count; ++i) {
        const unsigned byte = walk.data[walk.at + (walk.rle4 ? i / 2 : i)];
        const unsigned index = walk.rle4 ? (i % 2 == 0 ? byte >> 4 : byte & 15) : byte;
        if (!Known(walk, index)) {
            return false;
        }
    }
    walk.at += padded;
    walk.x += count;
    return true;
}

// Walks the data as a decoder would, writing nothing, up to its end mark.
DibError CheckRle(RleCursor walk) {
    for (;;) {
        if (!Available(walk, 2)) {
            return DibError::ConversionFailed;  // no end-of-picture mark
        }
        const unsigned count = walk.data[walk.at];
        const unsigned value = walk.data[walk.at + 1];
        walk.at += 2;
        bool ok = true;
        if (count > 0) {
            ok = RepeatedRun(walk, count, value);
        } else if (value == 0) {  // end of line
            walk.x = 0;
            ++walk.y;
            ok = walk.y <= walk.height;
        } else if (value == 1) {  // end of picture
            return DibError::None;
        } else if (value == 2) {
            ok = Delta(walk);
        } else {
            ok = LiteralRun(walk, value);
        }
        if (!ok) {
            return DibError::ConversionFailed;
        }
    }
}

}  // namespace

DibError CheckPixelData(ByteSpan file, const Layout& layout) {
    if (layout.compression == kRle8 || layout.compression == kRle4) {
        RleCursor walk;
        walk.data = file.subspan(layout.pixelOffset, layout.pixelEnd - layout.pixelOffset);
        walk.width = layout.width;
        walk.height = layout.height;
        walk.entries = layout.paletteEntries;
        walk.rle4 = layout.compression == kRle4;
        return CheckRle(walk);
    }
    if (layout.bitCount <= 8) {
        return CheckIndexedRows(file, layout);
    }
    return DibError::None;
}

}  // namespace dib
