// Little-endian fields and whole-file writes shared by the BMP and WAV writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline void PutU16(std::vector<unsigned char>& out, std::uint16_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

inline void PutU32(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}

// Replaces the file's content with bytes; false with the reason in error on
// any failure, so that a half-written file is never reported as done.
bool WriteWholeFile(const std::string& path,
                    const std::vector<unsigned char>& bytes,
                    std::string& error);
