// WAV playback through the dummy audio driver, which plays in real time
// without a sound card: how long each call holds its caller.

#include "platform/platform.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>

namespace {

using testfiles::Bytes;
using Clock = std::chrono::steady_clock;

struct WavFormat {
    int rate;
    int channels;
    int bits;  // 8 or 16
};

// A sine tone of the given length as a PCM WAV file.
Bytes MakeWav(const WavFormat& format, double seconds) {
    const int frames = static_cast<int>(format.rate * seconds);
    const int bytesPerSample = format.bits / 8;
    const auto dataSize = static_cast<std::uint32_t>(frames * format.channels * bytesPerSample);
    Bytes wav(44 + dataSize, 0);
    auto text = [&wav](std::size_t at, const char* four) {
        std::copy(four, four + 4, wav.begin() + at);
    };
    text(0, "RIFF");
    testfiles::PutU32(wav, 4, 36 + dataSize);
    text(8, "WAVE");
    text(12, "fmt ");
    testfiles::PutU32(wav, 16, 16);
    testfiles::PutU16(wav, 20, 1);  // PCM
    testfiles::PutU16(wav, 22, static_cast<std::uint16_t>(format.channels));
    testfiles::PutU32(wav, 24, static_cast<std::uint32_t>(format.rate));
    testfiles::PutU32(
        wav, 28, static_cast<std::uint32_t>(format.rate * format.channels * bytesPerSample));
    testfiles::PutU16(wav, 32, static_cast<std::uint16_t>(format.channels * bytesPerSample));
    testfiles::PutU16(wav, 34, static_cast<std::uint16_t>(format.bits));
    text(36, "data");
    testfiles::PutU32(wav, 40, dataSize);
    std::size_t at = 44;
    for (int i = 0; i < frames; ++i) {
        const double sample = std::sin(i * 2 * M_PI * 440 / format.rate) * 0.3;
        for (int c = 0; c < format.channels; ++c) {
            if (format.bits == 8) {
                wav[at++] = static_cast<unsigned char>(128 + sample * 127);
            } else {
                testfiles::PutU16(
                    wav, at, static_cast<std::uint16_t>(static_cast<std::int16_t>(sample * 32767)));
                at += 2;
            }
        }
    }
    return wav;
}

double SecondsFor(const std::string& path, DWORD flags, BOOL* result = nullptr) {
    const auto start = Clock::now();
    const BOOL played = PlaySoundA(path.c_str(), nullptr, flags);
    if (result != nullptr) {
        *result = played;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class Sound : public testing::Test {
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override { PlaySoundA(nullptr, nullptr, SND_ASYNC); }

    testfiles::ScratchDir scratch;
};

TEST_F(Sound, BlockingPlayReturnsWhenTheSoundHasEnded) {
    // Files in other formats than the device's are converted on the way.
    const WavFormat formats[] = {{22050, 1, 16}, {44100, 2, 16}, {11025, 1, 8}, {48000, 2, 16}};
    for (const WavFormat& format : formats) {
        SCOPED_TRACE(testing::Message()
                     << format.rate << " Hz, " << format.channels << " ch, " << format.bits);
        const std::string path = scratch.File("half.wav");
        testfiles::WriteBytes(path, MakeWav(format, 0.5));
        BOOL played = FALSE;
        const double seconds = SecondsFor(path, SND_SYNC, &played);
        EXPECT_TRUE(played);
        EXPECT_GE(seconds, 0.45);
        EXPECT_LT(seconds, 1.2);
    }
}

TEST_F(Sound, AsynchronousPlayReturnsAtOnce) {
    const std::string path = scratch.File("long.wav");
    testfiles::WriteBytes(path, MakeWav({22050, 1, 16}, 2.0));
    for (DWORD flags : {SND_ASYNC, SND_ASYNC | SND_FILENAME}) {
        BOOL played = FALSE;
        EXPECT_LT(SecondsFor(path, flags, &played), 0.2);
        EXPECT_TRUE(played);
    }
}

TEST_F(Sound, UnplayableFilesReturnAtOnceSilently) {
    testfiles::WriteBytes(scratch.File("empty.wav"), {});
    testfiles::WriteBytes(scratch.File("text.wav"),
                          Bytes{'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v'});
    Bytes truncated = MakeWav({22050, 1, 16}, 0.5);
    truncated.resize(30);
    testfiles::WriteBytes(scratch.File("truncated.wav"), truncated);
    for (const char* name : {"missing.wav", "empty.wav", "text.wav", "truncated.wav"}) {
        for (DWORD flags : {SND_SYNC, SND_ASYNC}) {
            BOOL played = TRUE;
            EXPECT_LT(SecondsFor(scratch.File(name), flags, &played), 0.2) << name;
            EXPECT_FALSE(played) << name;
        }
    }
}

// Were the old sound still queued, the blocking one would wait for it too.
TEST_F(Sound, ANewSoundCutsTheOldOne) {
    const std::string longSound = scratch.File("long.wav");
    const std::string shortSound = scratch.File("short.wav");
    testfiles::WriteBytes(longSound, MakeWav({22050, 1, 16}, 3.0));
    testfiles::WriteBytes(shortSound, MakeWav({22050, 1, 16}, 0.3));
    PlaySoundA(longSound.c_str(), nullptr, SND_ASYNC);
    const double seconds = SecondsFor(shortSound, SND_SYNC);
    EXPECT_GE(seconds, 0.25);
    EXPECT_LT(seconds, 1.0);
}

// Without an audio device nothing plays and nothing waits. Run in a fresh
// process, since the device is opened once per program.
TEST(SoundWithoutDevice, ReturnsAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testfiles::ScratchDir scratch;
    const std::string path = scratch.File("half.wav");
    testfiles::WriteBytes(path, MakeWav({22050, 1, 16}, 0.5));
    EXPECT_EXIT(
        {
            setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
            BOOL played = TRUE;
            const double first = SecondsFor(path, SND_SYNC, &played);
            const double second = SecondsFor(path, SND_SYNC);
            std::exit(!played && first < 0.3 && second < 0.05 ? 0 : 1);
        },
        testing::ExitedWithCode(0),
        "");
}

}  // namespace
