// BMP decoding: our own checks of everything a file claims, then SDL's BMP
// loader for the pixels. SDL's loader trusts the file far more than we can
// afford (it reads past palettes, accepts RLE runs off the picture, ...), so
// nothing reaches it before the checks below have passed.

#include "platform/dib_decode.h"

#include "platform/dib_layout.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
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
DibError WithFileHeader(ByteSpan bytes, std::vector<unsigned char>& file) {
    std::uint64_t offset = 0;
    DibError error = dib::BareDibPixelOffset(bytes, offset);
    if (error != DibError::None) {
        return error;
    }
    const std::uint64_t total = dib::kFileHeaderSize + bytes.size();
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

DibError DecodeFile(ByteSpan file, DibImage& image) {
    dib::Layout layout;
    DibError error = dib::ReadLayout(file, layout);
    if (error == DibError::None) {
        error = dib::CheckPixelData(file, layout);
    }
    if (error != DibError::None) {
        return error;
    }
    image.width = layout.width;
    image.height = layout.height;
    error = DecodeWithSdl(file, layout, image);
    // SDL knows only the usual channel masks; others are legal and simple.
    if (error == DibError::ConversionFailed && layout.compression == dib::kBitfields) {
        error = dib::DecodeBitfields(file, layout, image.rgb);
    }
    return error;
}

}  // namespace

DibError DecodeDibBytes(const unsigned char* bytes, std::size_t size, DibImage& image) {
    image = DibImage{};
    if (bytes == nullptr || size == 0) {
        return DibError::OpenFailed;
    }
    DibError error = DibError::None;
    try {
        const ByteSpan input(bytes, size);
        if (dib::HasFileHeader(input)) {
            error = DecodeFile(input, image);
        } else {
            std::vector<unsigned char> file;
            error = WithFileHeader(input, file);
            if (error == DibError::None) {
                error = DecodeFile(file, image);
            }
        }
    } catch (const std::bad_alloc&) {
        error = DibError::OutOfMemory;
    }
    if (error != DibError::None) {
        image = DibImage{};
    }
    return error;
}

DibError DecodeDibFile(const char* path, DibImage& image) {
    image = DibImage{};
    if (path == nullptr) {
        return DibError::OpenFailed;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), &std::fclose);
    if (!file) {
        return DibError::OpenFailed;
    }
    std::vector<unsigned char> bytes;
    try {
        unsigned char chunk[65536];
        std::size_t got = 0;
        while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
            bytes.insert(bytes.end(), chunk, chunk + got);
        }
    } catch (const std::bad_alloc&) {
        return DibError::OutOfMemory;
    }
    // A directory opens but does not read; an empty file has nothing to map.
    if (std::ferror(file.get()) || bytes.empty()) {
        return DibError::OpenFailed;
    }
    return DecodeDibBytes(bytes.data(), bytes.size(), image);
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
