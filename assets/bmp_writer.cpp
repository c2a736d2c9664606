#include "assets/bmp_writer.h"

#include "assets/byte_writer.h"

std::vector<unsigned char> EncodeBmp(const Image& image) {
    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.height);

    std::vector<unsigned char> out;
    out.reserve(kHeaderBytes + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, kHeaderBytes + pixelBytes);  // file size
    PutU32(out, 0);                          // reserved
    PutU32(out, kHeaderBytes);               // offset of the pixels

    PutU32(out, 40);  // info header size
    PutU32(out, static_cast<std::uint32_t>(image.width));
    PutU32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom row first
    PutU16(out, 1);                                         // planes
    PutU16(out, 24);                                        // bits per pixel
    PutU32(out, 0);                                         // no compression
    PutU32(out, pixelBytes);
    PutU32(out, 2835);  // 72 dots per inch
    PutU32(out, 2835);
    PutU32(out, 0);  // colours used: none, no table
    PutU32(out, 0);  // important colours

    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

bool WriteBmpFile(const std::string& path, const Image& image, std::string& error) {
    return WriteWholeFile(path, EncodeBmp(image), error);
}
