// 24-bit uncompressed BMP files: a 14-byte "BM" header, a 40-byte info header
// and the rows bottom first, the layout every DIB reader accepts.
#pragma once

#include <string>
#include <vector>

#include "assets/image.h"

std::vector<unsigned char> EncodeBmp(const Image& image);

// Writes the picture to path; false (with the reason in error) when the file
// cannot be written.
bool WriteBmpFile(const std::string& path, const Image& image, std::string& error);
