// RLE4 and RLE8 pixel data: one walk through the runs serves both the check
// and the decoding, so the two can never disagree about what a file means.

#include "platform/dib_rle.h"

namespace dib {

namespace {

// Where a walk through the data stands, and where it writes (nowhere while
// checking).
struct RleWalk {
    ByteSpan data;
    std::size_t at = 0;
    std::int64_t x = 0;
    std::int64_t y = 0;  // rows from the bottom, as stored
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::int64_t storedWidth = 0;  // the row with its padding to 4 bytes
    bool rle4 = false;
    std::size_t entries = 0;
    ByteSpan palette;
    std::size_t entrySize = 4;
    unsigned char* rgb = nullptr;
};

RleWalk StartWalk(ByteSpan file, const Layout& layout) {
    RleWalk walk;
    walk.data = file.subspan(layout.pixelOffset, layout.pixelEnd - layout.pixelOffset);
    walk.width = layout.width;
    walk.height = layout.height;
    walk.rle4 = layout.compression == kRle4;
    const std::int64_t perStoredRow = walk.rle4 ? 8 : 4;
    walk.storedWidth = (walk.width + perStoredRow - 1) / perStoredRow * perStoredRow;
    walk.entries = layout.paletteEntries;
    walk.entrySize = layout.paletteEntrySize;
    walk.palette = file.subspan(layout.paletteOffset, walk.entries * walk.entrySize);
    return walk;
}

bool Available(const RleWalk& walk, std::size_t bytes) {
    return bytes <= walk.data.size() - walk.at;
}

// Room for `count` more pixels in the current stored row.
bool Fits(const RleWalk& walk, unsigned count) {
    return walk.y < walk.height && walk.x + count <= walk.storedWidth;
}

// One pixel at the walk's place; in the row's padding it is cut off.
bool Put(RleWalk& walk, unsigned index) {
    if (walk.x < walk.width) {
        if (index >= walk.entries) {
            return false;
        }
        if (walk.rgb != nullptr) {
            const unsigned char* bgr = &walk.palette[index * walk.entrySize];
            unsigned char* out = walk.rgb + (walk.y * walk.width + walk.x) * 3;
            out[0] = bgr[2];
            out[1] = bgr[1];
            out[2] = bgr[0];
        }
    }
    ++walk.x;
    return true;
}

// `count` pixels of one colour (RLE4: two alternating colours).
bool RepeatedRun(RleWalk& walk, unsigned count, unsigned value) {
    if (!Fits(walk, count)) {
        return false;
    }
    for (unsigned i = 0; i < count; ++i) {
        const unsigned index = walk.rle4 ? (i % 2 == 0 ? value >> 4 : value & 15) : value;
        if (!Put(walk, index)) {
            return false;
        }
    }
    return true;
}

// Literal pixels, padded to a 16-bit boundary.
bool LiteralRun(RleWalk& walk, unsigned count) {
    const std::size_t bytes = walk.rle4 ? (count + 1) / 2 : count;
    const std::size_t padded = (bytes + 1) / 2 * 2;
    if (!Available(walk, padded) || !Fits(walk, count)) {
        return false;
    }
    for (unsigned i = 0; i < count; ++i) {
        const unsigned byte = walk.data[walk.at + (walk.rle4 ? i / 2 : i)];
        const unsigned index = walk.rle4 ? (i % 2 == 0 ? byte >> 4 : byte & 15) : byte;
        if (!Put(walk, index)) {
            return false;
        }
    }
    walk.at += padded;
    return true;
}

bool Move(RleWalk& walk) {
    if (!Available(walk, 2)) {
        return false;
    }
    walk.x += walk.data[walk.at];
    walk.y += walk.data[walk.at + 1];
    walk.at += 2;
    return walk.x <= walk.storedWidth && walk.y <= walk.height;
}

// Runs through the data up to its end mark.
DibError Walk(RleWalk walk) {
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
            ok = Move(walk);
        } else {
            ok = LiteralRun(walk, value);
        }
        if (!ok) {
            return DibError::ConversionFailed;
        }
    }
}

}  // namespace

DibError CheckRle(ByteSpan file, const Layout& layout) { return Walk(StartWalk(file, layout)); }

DibError DecodeRle(ByteSpan file, const Layout& layout, std::vector<unsigned char>& rgb) {
    RleWalk walk = StartWalk(file, layout);
    // Every row starts as colour 0 of the table, each byte written once.
    const unsigned char* background = walk.palette.data();
    std::vector<unsigned char> row;
    for (std::int64_t x = 0; x < walk.width; ++x) {
        row.insert(row.end(), {background[2], background[1], background[0]});
    }
    rgb.clear();
    rgb.reserve(row.size() * static_cast<std::size_t>(walk.height));
    for (std::int64_t y = 0; y < walk.height; ++y) {
        rgb.insert(rgb.end(), row.begin(), row.end());
    }
    walk.rgb = rgb.data();
    return Walk(walk);
}

}  // namespace dib
