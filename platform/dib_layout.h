// Inside the BMP decoder: what a file's headers say, checked against the
// file's own bytes before anything is decoded. Internal to platform/.
#pragma once

#include "platform/dib_decode.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dib {

using ByteSpan = std::span<const unsigned char>;

constexpr std::size_t kFileHeaderSize = 14;

// Compression codes of the info header.
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitfields = 3;

// A picture larger than this is refused before anything is allocated: far
// beyond any texture, and what a corrupt header typically claims.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

// The headers and the largest colour table all lie within this many bytes
// from the start of a file.
constexpr std::size_t kHeadBytes = 2048;

// No picture within the limits above uses more bytes than this (the largest
// one at 32 bits per pixel, plus room for its headers and a gap before its
// pixels); a header that asks for more is refused rather than read.
constexpr std::uint64_t kMaxUsedBytes = static_cast<std::uint64_t>(kMaxPixels) * 4 + (1u << 20);

// The checked facts of a file that starts with the "BM" file header.
struct Layout {
    std::int32_t width = 0;
    std::int32_t height = 0;  // always positive; topDown tells the row order
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue (bitfields only)
    std::size_t paletteEntries = 0;      // usable colour-table entries
    std::size_t paletteOffset = 0;       // where the colour table starts
    std::size_t paletteEntrySize = 4;    // 3 behind a core header
    std::size_t pixelOffset = 0;         // pixel data: [pixelOffset, pixelEnd)
    std::size_t pixelEnd = 0;
};

std::uint16_t ReadU16(ByteSpan bytes, std::size_t at);
std::uint32_t ReadU32(ByteSpan bytes, std::size_t at);

// True when the bytes begin with the "BM" file header.
bool HasFileHeader(ByteSpan bytes);

// For a bare 40-byte info header: where its pixels begin once a file header
// is put in front (right behind the masks and colour table).
DibError BareDibPixelOffset(ByteSpan bytes, std::uint64_t& offset);

// Reads and checks the headers, masks and colour table of a "BM" file whose
// whole size is `fileSize`; `head` holds its first bytes, at least
// kHeadBytes of them or all. No side may be longer than `maxSide` pixels.
// On success the picture uses the file's first layout.pixelEnd bytes.
DibError ReadLayout(ByteSpan head, std::uint64_t fileSize, int maxSide, Layout& layout);

// Checks that the pixel data uses only colours of the table; RLE data is
// walked to its end without leaving the picture. `file` holds at least the
// first layout.pixelEnd bytes.
DibError CheckPixelData(ByteSpan file, const Layout& layout);

// Decodes 16- and 32-bit pictures with any (checked) channel masks into
// packed RGB rows, bottom row first.
DibError DecodeBitfields(ByteSpan file, const Layout& layout, std::vector<unsigned char>& rgb);

}  // namespace dib
