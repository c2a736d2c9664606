// PNG files for the desktop's icons: 8-bit RGBA, the image data in stored
// (uncompressed) deflate blocks, so no compression library is needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/image.h"

// A picture with a coverage per pixel: alpha 0 is transparent, 255 opaque;
// alpha holds one value per pixel of colour, in the same order.
struct RgbaImage {
    Image colour;
    std::vector<std::uint8_t> alpha;
};

// The whole file, signature to IEND.
std::vector<unsigned char> EncodePng(const RgbaImage& image);
// False with the reason in error when the file could not be written.
bool WritePngFile(const std::string& path, const RgbaImage& image, std::string& error);
