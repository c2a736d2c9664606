#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "assets/sounds.h"
#include "assets/wav_writer.h"

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

int Samples(float seconds) { return static_cast<int>(seconds * kSampleRate); }

// Linear fade in and out at the ends, so no sound starts or stops with a click.
void FadeEnds(std::vector<float>& s, float inSeconds, float outSeconds) {
    const int in = Samples(inSeconds);
    const int out = Samples(outSeconds);
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < in && i < n; ++i) s[i] *= static_cast<float>(i) / in;
    for (int i = 0; i < out && i < n; ++i) s[n - 1 - i] *= static_cast<float>(i) / out;
}

// Scales the sound so its loudest sample has the given level.
void Normalise(std::vector<float>& s, float level) {
    float peak = 0;
    for (float v : s) peak = std::max(peak, std::abs(v));
    if (peak > 0)
        for (float& v : s) v *= level / peak;
}

// A band-limited square-ish tone: odd harmonics up to a third of the rate.
float Tone(float frequency, float t, int maxHarmonic) {
    float v = 0;
    for (int k = 1; k <= maxHarmonic && k * frequency < kSampleRate / 3.0f; k += 2)
        v += std::sin(kTwoPi * k * frequency * t) / k;
    return v;
}

// A fixed-seed noise source, the same on every run.
struct Noise {
    std::uint32_t state = 0x2545F491u;
    float Next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    }
};

}  // namespace

std::vector<float> SynthMenuClick() {
    // 60 ms: a bright tick over a short pitched blip.
    std::vector<float> s(static_cast<std::size_t>(Samples(0.06f)));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        s[i] = 0.55f * std::sin(kTwoPi * 1320.0f * t) * std::exp(-t / 0.014f) +
               0.25f * std::sin(kTwoPi * 2640.0f * t) * std::exp(-t / 0.006f);
    }
    FadeEnds(s, 0.001f, 0.01f);
    return s;
}

std::vector<float> SynthSwoosh() {
    // 450 ms of noise through a resonant band-pass that sweeps up and back.
    std::vector<float> s(static_cast<std::size_t>(Samples(0.45f)));
    Noise noise;
    float low = 0, band = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float phase = t / 0.45f;
        const float centre =
            300.0f + 3200.0f * std::sin(std::numbers::pi_v<float> * std::pow(phase, 0.7f));
        const float f = 2.0f * std::sin(std::numbers::pi_v<float> * centre / kSampleRate);
        const float q = 0.35f;
        const float high = noise.Next() - low - q * band;
        band += f * high;
        low += f * band;
        const float envelope = std::sin(std::numbers::pi_v<float> * phase);
        s[i] = band * envelope * envelope;
    }
    FadeEnds(s, 0.005f, 0.02f);
    Normalise(s, 0.7f);
    return s;
}

std::vector<float> SynthBuzzer() {
    // 280 ms: two low detuned tones beating against each other.
    std::vector<float> s(static_cast<std::size_t>(Samples(0.28f)));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        s[i] = 0.3f * (Tone(98.0f, t, 31) + Tone(103.5f, t, 31));
    }
    FadeEnds(s, 0.005f, 0.05f);
    return s;
}

std::vector<float> SynthWinJingle() {
    // A rising major arpeggio and a held chord, about 0.9 s.
    struct Note {
        float start, length, frequency;
    };
    static constexpr Note kNotes[] = {
        {0.00f, 0.12f, 523.25f},
        {0.11f, 0.12f, 659.25f},
        {0.22f, 0.12f, 783.99f},
        {0.33f, 0.55f, 1046.50f},
        {0.33f, 0.55f, 1318.51f},
        {0.33f, 0.55f, 783.99f},
    };
    std::vector<float> s(static_cast<std::size_t>(Samples(0.9f)), 0.0f);
    for (const Note& note : kNotes) {
        const int first = Samples(note.start);
        const int count = Samples(note.length);
        for (int i = 0; i < count && first + i < static_cast<int>(s.size()); ++i) {
            const float t = static_cast<float>(i) / kSampleRate;
            const float attack = std::min(1.0f, t / 0.005f);
            const float decay = std::exp(-t / (note.length * 0.45f));
            s[first + i] += 0.22f * attack * decay * Tone(note.frequency, t, 7);
        }
    }
    FadeEnds(s, 0.001f, 0.03f);
    return s;
}
