#include "assets/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "assets/byte_writer.h"

std::vector<unsigned char> EncodeWav(const std::vector<float>& samples) {
    constexpr std::uint16_t kChannels = 1;
    constexpr std::uint16_t kBits = 16;
    constexpr std::uint16_t kBlockAlign = kChannels * kBits / 8;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBlockAlign);

    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    for (char c : {'R', 'I', 'F', 'F'}) out.push_back(static_cast<unsigned char>(c));
    PutU32(out, 36 + dataBytes);
    for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '})
        out.push_back(static_cast<unsigned char>(c));
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, kChannels);
    PutU32(out, kSampleRate);
    PutU32(out, kSampleRate * kBlockAlign);
    PutU16(out, kBlockAlign);
    PutU16(out, kBits);
    for (char c : {'d', 'a', 't', 'a'}) out.push_back(static_cast<unsigned char>(c));
    PutU32(out, dataBytes);
    for (float s : samples) {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        PutU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
    }
    return out;
}

bool WriteWavFile(const std::string& path, const std::vector<float>& samples, std::string& error) {
    return WriteWholeFile(path, EncodeWav(samples), error);
}
