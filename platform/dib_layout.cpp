// The BMP headers: which layouts we read and the sanity checks that keep a
// corrupt header from reaching the decoder.

#include "platform/dib_layout.h"

#include <algorithm>
#include <bit>

namespace dib {

namespace {

// File offsets of the header fields, with the 14-byte file header in front.
constexpr std::size_t kFileSizeAt = 2;
constexpr std::size_t kPixelOffsetAt = 10;
constexpr std::size_t kHeaderSizeAt = 14;
constexpr std::size_t kMasksAt = 54;  // behind a 40-byte header, inside larger ones

constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::uint32_t kV4Header = 108;
constexpr std::uint32_t kV5Header = 124;

// No screen or printer comes near this many pixels per metre (25400 dpi);
// a larger value only comes from a damaged header.
constexpr std::int32_t kMaxDensity = 1000000;

bool KnownHeaderSize(std::uint32_t size) {
    return size == kCoreHeader || size == kInfoHeader || size == kV4Header || size == kV5Header;
}

bool ValidBitCount(std::uint32_t headerSize, std::uint16_t bits) {
    switch (bits) {
        case 1:
        case 4:
        case 8:
        case 24: return true;
        case 16:
        case 32: return headerSize != kCoreHeader;
        default: return false;
    }
}

bool ValidCompression(std::uint32_t compression, std::uint16_t bits) {
    switch (compression) {
        case kRgb: return true;
        case kRle8: return bits == 8;
        case kRle4: return bits == 4;
        case kBitfields: return bits == 16 || bits == 32;
        default:  // JPEG, PNG and the rest are not pixels we can read
            return false;
    }
}

// Each channel needs one run of bits of its own inside the pixel.
bool ValidMasks(const std::uint32_t (&masks)[3], std::uint16_t bits) {
    const std::uint64_t pixelBits = (std::uint64_t{1} << bits) - 1;
    std::uint32_t seen = 0;
    for (std::uint32_t mask : masks) {
        if (mask == 0 || mask > pixelBits || (mask & seen) != 0) {
            return false;
        }
        const std::uint32_t shifted = mask >> std::countr_zero(mask);
        if ((shifted & (shifted + 1)) != 0) {
            return false;
        }
        seen |= mask;
    }
    return true;
}

std::uint64_t RowBytes(std::int32_t width, std::uint16_t bits) {
    return (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
}

DibError ReadDimensions(ByteSpan file, std::uint32_t headerSize, int maxSide, Layout& layout) {
    if (headerSize == kCoreHeader) {
        layout.width = ReadU16(file, 18);
        layout.height = ReadU16(file, 20);
    } else {
        layout.width = static_cast<std::int32_t>(ReadU32(file, 18));
        const auto height = static_cast<std::int32_t>(ReadU32(file, 22));
        if (height == INT32_MIN) {
            return DibError::ConversionFailed;
        }
        layout.topDown = height < 0;
        layout.height = layout.topDown ? -height : height;
    }
    if (layout.width <= 0 || layout.height <= 0) {
        return DibError::ConversionFailed;
    }
    // A side the texture cannot have is refused before anything is held
    // for it, as a picture too large to hold.
    if (layout.width > maxSide || layout.height > maxSide ||
        static_cast<std::int64_t>(layout.width) * layout.height > kMaxPixels) {
        return DibError::OutOfMemory;
    }
    return DibError::None;
}

DibError ReadFormat(ByteSpan file, std::uint32_t headerSize, Layout& layout) {
    const bool core = headerSize == kCoreHeader;
    const std::uint16_t planes = ReadU16(file, core ? 22 : 26);
    layout.bitCount = ReadU16(file, core ? 24 : 28);
    layout.compression = core ? kRgb : ReadU32(file, 30);
    if (planes != 1 || !ValidBitCount(headerSize, layout.bitCount) ||
        !ValidCompression(layout.compression, layout.bitCount)) {
        return DibError::ConversionFailed;
    }
    return DibError::None;
}

DibError CheckDensity(ByteSpan file, std::uint32_t headerSize) {
    if (headerSize == kCoreHeader) {
        return DibError::None;
    }
    for (std::size_t at : {std::size_t{38}, std::size_t{42}}) {
        const auto density = static_cast<std::int32_t>(ReadU32(file, at));
        if (density < 0 || density > kMaxDensity) {
            return DibError::ConversionFailed;
        }
    }
    return DibError::None;
}

// Reads the masks and the colour table; returns where the pixels may begin.
DibError ReadTables(ByteSpan file,
                    std::uint64_t fileSize,
                    std::uint32_t headerSize,
                    Layout& layout,
                    std::uint64_t& tablesEnd) {
    tablesEnd = kFileHeaderSize + headerSize;
    if (layout.compression == kBitfields) {
        if (kMasksAt + 12 > fileSize) {
            return DibError::ConversionFailed;
        }
        for (int i = 0; i < 3; ++i) {
            layout.masks[i] = ReadU32(file, kMasksAt + 4 * i);
        }
        if (!ValidMasks(layout.masks, layout.bitCount)) {
            return DibError::ConversionFailed;
        }
        if (headerSize == kInfoHeader) {
            tablesEnd += 12;
        }
    }
    if (layout.bitCount > 8) {
        return DibError::None;  // a colour table of a deep picture is never used
    }
    const std::uint32_t maxEntries = 1u << layout.bitCount;
    const std::uint32_t used = headerSize == kCoreHeader ? 0 : ReadU32(file, 46);
    const std::uint32_t entries = used != 0 ? used : maxEntries;
    if (entries > maxEntries) {
        return DibError::ConversionFailed;
    }
    const std::uint64_t entrySize = headerSize == kCoreHeader ? 3 : 4;
    layout.paletteOffset = static_cast<std::size_t>(tablesEnd);
    layout.paletteEntrySize = static_cast<std::size_t>(entrySize);
    tablesEnd += entries * entrySize;
    if (tablesEnd > fileSize) {
        return DibError::ConversionFailed;
    }
    layout.paletteEntries = entries;
    return DibError::None;
}

// RLE data never needs more than this: two bytes per pixel of the stored
// row (its padding included) twice over, an end of line per row and the
// end mark. Without a stated size, no more of the file than this is read.
std::uint64_t RleByteCap(const Layout& layout) {
    const std::uint64_t storedWidth = (static_cast<std::uint64_t>(layout.width) + 7) / 8 * 8;
    return (4 * storedWidth + 8) * static_cast<std::uint64_t>(layout.height) + 2;
}

DibError LocatePixels(ByteSpan file,
                      std::uint64_t fileSize,
                      std::uint32_t headerSize,
                      Layout& layout,
                      std::uint64_t tablesEnd) {
    const std::uint64_t offset = ReadU32(file, kPixelOffsetAt);
    if (offset < tablesEnd || offset >= fileSize) {
        return DibError::ConversionFailed;
    }
    // A header that claims more bytes than the file has is damaged.
    const std::uint64_t claimed = headerSize == kCoreHeader ? 0 : ReadU32(file, 34);
    if (claimed != 0 && offset + claimed > fileSize) {
        return DibError::ConversionFailed;
    }
    std::uint64_t end = 0;
    if (layout.compression == kRle8 || layout.compression == kRle4) {
        end = offset + std::min(claimed != 0 ? claimed : fileSize - offset, RleByteCap(layout));
    } else {
        end = offset +
              RowBytes(layout.width, layout.bitCount) * static_cast<std::uint64_t>(layout.height);
        if (end > fileSize) {
            return DibError::ConversionFailed;
        }
    }
    if (end > kMaxUsedBytes) {
        return DibError::OutOfMemory;
    }
    layout.pixelOffset = static_cast<std::size_t>(offset);
    layout.pixelEnd = static_cast<std::size_t>(end);
    return DibError::None;
}

}  // namespace

std::uint16_t ReadU16(ByteSpan bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t ReadU32(ByteSpan bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool HasFileHeader(ByteSpan bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

DibError BareDibPixelOffset(ByteSpan bytes, std::uint64_t& offset) {
    if (bytes.size() < 4 || ReadU32(bytes, 0) != kInfoHeader) {
        return DibError::UnknownFormat;
    }
    if (bytes.size() < kInfoHeader) {
        return DibError::ConversionFailed;
    }
    const std::uint16_t bits = ReadU16(bytes, 14);
    const std::uint32_t compression = ReadU32(bytes, 16);
    const std::uint32_t used = ReadU32(bytes, 32);
    const std::uint64_t entries = used != 0 ? used : (bits <= 8 ? std::uint64_t{1} << bits : 0);
    offset = kFileHeaderSize + kInfoHeader + (compression == kBitfields ? 12 : 0) + entries * 4;
    if (offset > UINT32_MAX) {
        return DibError::ConversionFailed;
    }
    return DibError::None;
}

DibError ReadLayout(ByteSpan head, std::uint64_t fileSize, int maxSide, Layout& layout) {
    layout = Layout{};
    // Every field below lies within the head; a head shorter than that is
    // the whole file, and the checks against fileSize stop first.
    if (head.size() < std::min<std::uint64_t>(fileSize, kHeadBytes)) {
        return DibError::ConversionFailed;
    }
    if (fileSize < kHeaderSizeAt + 4) {
        return DibError::ConversionFailed;
    }
    const std::uint32_t headerSize = ReadU32(head, kHeaderSizeAt);
    if (!KnownHeaderSize(headerSize)) {
        return DibError::UnknownFormat;
    }
    if (kFileHeaderSize + headerSize > fileSize) {
        return DibError::ConversionFailed;
    }
    DibError error = ReadFormat(head, headerSize, layout);
    if (error == DibError::None) {
        error = ReadDimensions(head, headerSize, maxSide, layout);
    }
    if (error != DibError::None) {
        return error;
    }
    const bool rle = layout.compression == kRle8 || layout.compression == kRle4;
    if ((rle && layout.topDown) || ReadU32(head, kFileSizeAt) > fileSize) {
        return DibError::ConversionFailed;
    }
    error = CheckDensity(head, headerSize);
    std::uint64_t tablesEnd = 0;
    if (error == DibError::None) {
        error = ReadTables(head, fileSize, headerSize, layout, tablesEnd);
    }
    if (error == DibError::None) {
        error = LocatePixels(head, fileSize, headerSize, layout, tablesEnd);
    }
    return error;
}

}  // namespace dib
