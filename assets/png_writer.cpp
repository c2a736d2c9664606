#include "assets/png_writer.h"

#include <algorithm>
#include <array>

#include "assets/byte_writer.h"

namespace {

// PNG's numbers are big-endian, unlike BMP's and WAV's.
void PutU32Big(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>((v >> shift) & 0xFF));
}

std::uint32_t Crc32(const unsigned char* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::vector<unsigned char>& data) {
    constexpr std::uint32_t kMod = 65521;
    std::uint32_t a = 1, b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % kMod;
        b = (b + a) % kMod;
    }
    return (b << 16) | a;
}

// A chunk: length, type, data, and the CRC over type and data.
void PutChunk(std::vector<unsigned char>& out,
              const char (&type)[5],
              const std::vector<unsigned char>& data) {
    PutU32Big(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutU32Big(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

// Each row behind a filter byte of 0 (none), four bytes per pixel.
std::vector<unsigned char> Scanlines(const RgbaImage& image) {
    const Image& c = image.colour;
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<std::size_t>(c.height) * (1 + 4 * static_cast<std::size_t>(c.width)));
    for (int y = 0; y < c.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < c.width; ++x) {
            const Rgb p = c.at(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b, image.alpha[y * c.width + x]});
        }
    }
    return raw;
}

// A zlib stream of stored deflate blocks: up to 65535 bytes each, the last
// one marked final, then the Adler-32 of the raw bytes.
std::vector<unsigned char> StoredZlib(const std::vector<unsigned char>& raw) {
    constexpr std::size_t kBlock = 65535;
    std::vector<unsigned char> out{0x78, 0x01};  // deflate, 32K window, no dictionary
    std::size_t at = 0;
    do {
        const std::size_t size = std::min(kBlock, raw.size() - at);
        const bool last = at + size == raw.size();
        out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00
        PutU16(out, static_cast<std::uint16_t>(size));
        PutU16(out, static_cast<std::uint16_t>(~size));
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + size);
        at += size;
    } while (at < raw.size());
    PutU32Big(out, Adler32(raw));
    return out;
}

}  // namespace

std::vector<unsigned char> EncodePng(const RgbaImage& image) {
    std::vector<unsigned char> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutU32Big(header, static_cast<std::uint32_t>(image.colour.width));
    PutU32Big(header, static_cast<std::uint32_t>(image.colour.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", StoredZlib(Scanlines(image)));
    PutChunk(out, "IEND", {});
    return out;
}

bool WritePngFile(const std::string& path, const RgbaImage& image, std::string& error) {
    return WriteWholeFile(path, EncodePng(image), error);
}
