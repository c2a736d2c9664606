// The BMP decoding behind auxDIBImageLoadA, without any message box, so that
// tests and tools can decode pictures and look at the reason of a failure.
//
// Pure: no SDL video, no display, no GL. Safe on any input: a broken file
// yields an error, never a crash or a read outside the file's bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Why a picture could not be decoded; each maps onto one text of the reader's
// error box (see DibErrorMessage).
enum class DibError {
    None,
    OpenFailed,        // missing, unreadable or empty file
    UnknownFormat,     // header size not one of 12, 40, 108, 124
    OutOfMemory,       // the picture is too large to hold
    ConversionFailed,  // anything else the file gets wrong
};

// A decoded picture: 24-bit colour, three bytes per pixel (red, green, blue),
// rows of `width` pixels packed without gaps, the bottom row first.
struct DibImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// No side of a picture is longer than this, whatever a GL context allows: far
// beyond any picture the programs draw, and what a damaged header claims.
constexpr int kMaxDibSide = 8192;

// Decodes a BMP file. A side longer than `maxSide` (at most kMaxDibSide) is
// OutOfMemory. Only the bytes that the headers say the picture uses are read,
// and a file that is not a BMP is refused from its first bytes; anything but
// a regular file fails to open. On failure `image` is left empty.
DibError DecodeDibFile(const char* path, DibImage& image, int maxSide = kMaxDibSide);

// Decodes BMP bytes held in memory: a file with its 14-byte "BM" header, or a
// bare 40-byte info header with its colour table and pixels right behind it.
// A zero-length buffer counts as an empty file (OpenFailed).
DibError DecodeDibBytes(const unsigned char* bytes,
                        std::size_t size,
                        DibImage& image,
                        int maxSide = kMaxDibSide);

// The text of the reader's error box for `error` ("Failed to open DIB file
// <path>.\n", "Unknown DIB file format.", "Out of memory.", "Image file
// conversion error."); empty for DibError::None.
std::string DibErrorMessage(DibError error, const char* path);
