// The four sounds are 16-bit PCM WAV files, audible, unclipped and short
// enough: the buzzer and the pause click hold the game while they play.
#include <cstdint>
#include <cstdlib>

#include "tree_fixture.h"

namespace {

struct Wav {
    int format = 0;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t U32(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
           static_cast<unsigned char>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
std::uint16_t U16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

// Walks the RIFF chunks; false when the file is not a well-formed WAV.
bool ParseWav(const std::string& b, Wav& wav) {
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return false;
    if (U32(b, 4) != b.size() - 8) return false;
    bool haveFormat = false, haveData = false;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const std::uint32_t size = U32(b, at + 4);
        if (at + 8 + size > b.size()) return false;
        if (id == "fmt ") {
            wav.format = U16(b, at + 8);
            wav.channels = U16(b, at + 10);
            wav.rate = static_cast<int>(U32(b, at + 12));
            wav.bits = U16(b, at + 22);
            haveFormat = true;
        } else if (id == "data") {
            for (std::size_t i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(static_cast<std::int16_t>(U16(b, at + 8 + i)));
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    return haveFormat && haveData;
}

}  // namespace

TEST_F(TreeTest, SoundsArePcm16AudibleUnclippedAndShort) {
    struct Case {
        const char* path;
        double minSeconds;
        double maxSeconds;
    };
    const Case cases[] = {
        {"Data/sounds/menu/menu.wav", 0.02, 0.15},  // also the blocking pause click
        {"Data/sounds/menu/buzzer.wav", 0.1, 0.4},  // holds the game when leaving
        {"Data/sounds/menu/swoosh.wav", 0.2, 1.0},
        {"Data/sounds/ingame/win.wav", 0.4, 1.5},
    };
    const fs::path root = Generate("tree");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Wav wav;
        ASSERT_TRUE(ParseWav(ReadBytes(root / c.path), wav));
        EXPECT_EQ(wav.format, 1);
        EXPECT_EQ(wav.bits, 16);
        ASSERT_GE(wav.channels, 1);
        ASSERT_GT(wav.rate, 8000);
        const double seconds = static_cast<double>(wav.samples.size()) / wav.channels / wav.rate;
        EXPECT_GE(seconds, c.minSeconds);
        EXPECT_LE(seconds, c.maxSeconds);
        int peak = 0;
        for (std::int16_t s : wav.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 6000) << "too quiet";
        EXPECT_LT(peak, 32767) << "clipped";
        // Starts and ends near silence, so playback does not click.
        EXPECT_LT(std::abs(wav.samples.front()), 600);
        EXPECT_LT(std::abs(wav.samples.back()), 600);
    }
}
