// BMP decoding: our own checks of everything a file claims, then our own RLE
// decoder or SDL's BMP loader for the pixels. SDL's loader trusts the file far
// more than we can afford (it reads past palettes, accepts RLE runs off the
// picture, ...), so nothing reaches it before the checks below have passed.

#include "platform/dib_decode.h"

#include "platform/dib_layout.h"
#include "platform/dib_rle.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>

namespace {

using dib::ByteSpan;

// Writes a little-endian 32-bit value.
void PutU32(unsigned char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// A bare info header (no "BM" file header) gets one synthesised in front of
// it: SDL only reads whole files. The pixels follow the colour table.
// `bytes` may be the first bytes of a bare file of `fileSize` bytes.
DibError WithFileHeader(ByteSpan bytes, std::uint64_t fileSize, std::vector<unsigned char>& file) {
    std::uint64_t offset = 0;
    DibError error = dib::BareDibPixelOffset(bytes, offset);
    if (error != DibError::None) {
        return error;
    }
    const std::uint64_t total = dib::kFileHeaderSize + fileSize;
    if (total > UINT32_MAX) {
        return DibError::OutOfMemory;
    }
    file.assign(dib::kFileHeaderSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(&file[2], static_cast<std::uint32_t>(total));
    PutU32(&file[10], static_cast<std::uint32_t>(offset));
    file.insert(file.end(), bytes.begin(), bytes.end());
    return DibError::None;
}

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

// SDL's loader, its result turned into packed RGB rows, bottom row first.
DibError DecodeWithSdl(ByteSpan file, const dib::Layout& layout, DibImage& image) {
    SDL_RWops* stream = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    if (stream == nullptr) {
        return DibError::OutOfMemory;
    }
    SurfacePtr loaded(SDL_LoadBMP_RW(stream, 1));
    if (!loaded) {
        return std::strcmp(SDL_GetError(), "Out of memory") == 0 ? DibError::OutOfMemory
                                                                 : DibError::ConversionFailed;
    }
    if (loaded->w != layout.width || loaded->h != layout.height) {
        return DibError::ConversionFailed;
    }
    SurfacePtr rgb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB24, 0));
    if (!rgb) {
        return DibError::ConversionFailed;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(layout.width) * 3;
    image.rgb.resize(rowBytes * static_cast<std::size_t>(layout.height));
    const auto* pixels = static_cast<const unsigned char*>(rgb->pixels);
    for (int row = 0; row < layout.height; ++row) {
        // SDL's first row is the top one.
        const unsigned char* source =
            pixels + static_cast<std::size_t>(layout.height - 1 - row) * rgb->pitch;
        std::memcpy(&image.rgb[static_cast<std::size_t>(row) * rowBytes], source, rowBytes);
    }
    return DibError::None;
}

// `file` holds at least the first bytes that the picture uses of a "BM" file
// of `fileSize` bytes.
DibError DecodeFile(ByteSpan file, std::uint64_t fileSize, int maxSide, DibImage& image) {
    dib::Layout layout;
    DibError error = dib::ReadLayout(file, fileSize, maxSide, layout);
    if (error == DibError::None && file.size() < layout.pixelEnd) {
        error = DibError::ConversionFailed;
    }
    if (error == DibError::None) {
        error = dib::CheckPixelData(file, layout);
    }
    if (error != DibError::None) {
        return error;
    }
    image.width = layout.width;
    image.height = layout.height;
    if (layout.compression == dib::kRle8 || layout.compression == dib::kRle4) {
        // Ours, since SDL's cannot cut the runs that cover a row's padding.
        return dib::DecodeRle(file, layout, image.rgb);
    }
    error = DecodeWithSdl(file.first(layout.pixelEnd), layout, image);
    // SDL knows only the usual channel masks; others are legal and simple.
    if (error == DibError::ConversionFailed && layout.compression == dib::kBitfields) {
        error = dib::DecodeBitfields(file, layout, image.rgb);
    }
    return error;
}

// A "BM" file or a bare info header, all or the first bytes of it.
DibError DecodeBmp(ByteSpan bytes, std::uint64_t fileSize, int maxSide, DibImage& image) {
    if (dib::HasFileHeader(bytes)) {
        return DecodeFile(bytes, fileSize, maxSide, image);
    }
    std::vector<unsigned char> file;
    DibError error = WithFileHeader(bytes, fileSize, file);
    if (error == DibError::None) {
        error = DecodeFile(file, dib::kFileHeaderSize + fileSize, maxSide, image);
    }
    return error;
}

// How many of its first bytes a file of `fileSize` bytes uses, told by its
// headers in `head`; an error when they already rule the file out.
DibError UsedBytes(ByteSpan head, std::uint64_t fileSize, int maxSide, std::uint64_t& used) {
    dib::Layout layout;
    if (dib::HasFileHeader(head)) {
        const DibError error = dib::ReadLayout(head, fileSize, maxSide, layout);
        used = layout.pixelEnd;
        return error;
    }
    std::vector<unsigned char> file;
    DibError error = WithFileHeader(head, fileSize, file);
    if (error == DibError::None) {
        error = dib::ReadLayout(file, dib::kFileHeaderSize + fileSize, maxSide, layout);
    }
    used = layout.pixelEnd - std::min<std::uint64_t>(layout.pixelEnd, dib::kFileHeaderSize);
    return error;
}

int SideLimit(int maxSide) { return std::clamp(maxSide, 1, kMaxDibSide); }

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Appends the next `count` bytes of the file; false when it has fewer.
bool ReadMore(std::FILE* file, std::uint64_t count, std::vector<unsigned char>& bytes) {
    const std::size_t had = bytes.size();
    bytes.resize(had + static_cast<std::size_t>(count));
    return std::fread(bytes.data() + had, 1, static_cast<std::size_t>(count), file) == count;
}

// The size of a regular file; 0 for anything else (a directory, a device
// such as /dev/zero, a pipe) and for an empty or missing file.
std::uint64_t RegularFileSize(const char* path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return 0;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

}  // namespace

DibError DecodeDibBytes(const unsigned char* bytes,
                        std::size_t size,
                        DibImage& image,
                        int maxSide) {
    image = DibImage{};
    if (bytes == nullptr || size == 0) {
        return DibError::OpenFailed;
    }
    DibError error = DibError::None;
    try {
        error = DecodeBmp(ByteSpan(bytes, size), size, SideLimit(maxSide), image);
    } catch (const std::bad_alloc&) {
        error = DibError::OutOfMemory;
    }
    if (error != DibError::None) {
        image = DibImage{};
    }
    return error;
}

DibError DecodeDibFile(const char* path, DibImage& image, int maxSide) {
    image = DibImage{};
    if (path == nullptr) {
        return DibError::OpenFailed;
    }
    // 1. Only a regular file with bytes in it is a picture file.
    const std::uint64_t fileSize = RegularFileSize(path);
    FilePtr file(fileSize != 0 ? std::fopen(path, "rb") : nullptr, &std::fclose);
    if (!file) {
        return DibError::OpenFailed;
    }
    DibError error = DibError::None;
    try {
        // 2. The headers and colour table say what else the picture uses.
        std::vector<unsigned char> bytes;
        if (!ReadMore(file.get(), std::min<std::uint64_t>(fileSize, dib::kHeadBytes), bytes)) {
            return DibError::OpenFailed;
        }
        std::uint64_t used = 0;
        error = UsedBytes(bytes, fileSize, SideLimit(maxSide), used);
        // 3. That much and no more is read, then decoded.
        if (error == DibError::None && used > bytes.size() &&
            !ReadMore(file.get(), used - bytes.size(), bytes)) {
            return DibError::OpenFailed;
        }
        if (error == DibError::None) {
            error = DecodeBmp(bytes, fileSize, SideLimit(maxSide), image);
        }
    } catch (const std::bad_alloc&) {
        error = DibError::OutOfMemory;
    }
    if (error != DibError::None) {
        image = DibImage{};
    }
    return error;
}

std::string DibErrorMessage(DibError error, const char* path) {
    switch (error) {
        case DibError::None: return {};
        case DibError::OpenFailed:
            return std::string("Failed to open DIB file ") + (path ? path : "") + ".\n";
        case DibError::UnknownFormat: return "Unknown DIB file format.";
        case DibError::OutOfMemory: return "Out of memory.";
        case DibError::ConversionFailed: break;
    }
    return "Image file conversion error.";
}
