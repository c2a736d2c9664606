// PlaySoundA for WAV files on SDL's audio queue. One device, opened on first
// use; a new sound replaces whatever is still queued. Any failure (no file,
// a broken file, no audio device) plays nothing and returns at once.

#include "platform/platform.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

enum class AudioState { NotTried, Ready, Unavailable };

AudioState audioState = AudioState::NotTried;
SDL_AudioDeviceID device = 0;
SDL_AudioSpec deviceSpec{};

// How long a synchronous sound may hold the caller beyond its own length,
// should the device stop draining its queue.
constexpr Uint32 kSyncGraceMs = 2000;
constexpr Uint32 kPollMs = 2;

void CloseAudio() {
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        device = 0;
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioState = AudioState::NotTried;
}

// Opens the default output device once; a failure is remembered, so a
// machine without sound does not pay for the attempt on every sound.
bool EnsureAudio() {
    if (audioState != AudioState::NotTried) {
        return audioState == AudioState::Ready;
    }
    audioState = AudioState::Unavailable;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    device =
        SDL_OpenAudioDevice(nullptr,
                            0,
                            &wanted,
                            &deviceSpec,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    audioState = AudioState::Ready;
    std::atexit(CloseAudio);  // stop the audio thread before the program's data goes
    return true;
}

struct WavFree {
    void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
};
struct MallocFree {
    void operator()(Uint8* buffer) const { std::free(buffer); }
};

// A WAV file in the device's format, ready to queue.
struct DeviceSound {
    std::unique_ptr<Uint8, MallocFree> bytes;
    int length = 0;
};

bool LoadForDevice(const char* path, DeviceSound& sound) {
    SDL_AudioSpec fileSpec{};
    Uint8* raw = nullptr;
    Uint32 rawLength = 0;
    if (SDL_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1, &fileSpec, &raw, &rawLength) == nullptr) {
        return false;
    }
    std::unique_ptr<Uint8, WavFree> wav(raw);
    SDL_AudioCVT cvt{};
    if (SDL_BuildAudioCVT(&cvt,
                          fileSpec.format,
                          fileSpec.channels,
                          fileSpec.freq,
                          deviceSpec.format,
                          deviceSpec.channels,
                          deviceSpec.freq) < 0) {
        return false;
    }
    const auto capacity =
        static_cast<std::size_t>(rawLength) * static_cast<std::size_t>(cvt.len_mult);
    if (rawLength > INT32_MAX || capacity > INT32_MAX) {
        return false;
    }
    sound.bytes.reset(static_cast<Uint8*>(std::malloc(capacity == 0 ? 1 : capacity)));
    if (!sound.bytes) {
        return false;
    }
    std::memcpy(sound.bytes.get(), wav.get(), rawLength);
    cvt.buf = sound.bytes.get();
    cvt.len = static_cast<int>(rawLength);
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
        return false;
    }
    sound.length = cvt.needed ? cvt.len_cvt : cvt.len;
    return true;
}

Uint32 DurationMs(int bytes) {
    const auto frameBytes =
        static_cast<Uint64>(SDL_AUDIO_BITSIZE(deviceSpec.format) / 8) * deviceSpec.channels;
    if (frameBytes == 0 || deviceSpec.freq <= 0) {
        return 0;
    }
    return static_cast<Uint32>(static_cast<Uint64>(bytes) / frameBytes * 1000 /
                               static_cast<Uint64>(deviceSpec.freq));
}

// Holds the caller until the sound has been played out: its queue is drained
// and its own length has passed. Bounded, whatever the device does.
void WaitUntilPlayed(Uint32 durationMs) {
    const Uint64 start = SDL_GetTicks64();
    const Uint64 deadline = start + durationMs + kSyncGraceMs;
    for (;;) {
        const Uint64 now = SDL_GetTicks64();
        const bool drained = SDL_GetQueuedAudioSize(device) == 0;
        if ((drained && now >= start + durationMs) || now >= deadline) {
            return;
        }
        SDL_Delay(kPollMs);
    }
}

}  // namespace

BOOL PlaySoundA(const char* sound, HMODULE /*module*/, DWORD flags) {
    if (!EnsureAudio()) {
        return FALSE;
    }
    if (sound == nullptr) {  // no sound: stop the one playing
        SDL_ClearQueuedAudio(device);
        return TRUE;
    }
    DeviceSound loaded;
    if (!LoadForDevice(sound, loaded)) {
        return FALSE;
    }
    SDL_ClearQueuedAudio(device);
    if (SDL_QueueAudio(device, loaded.bytes.get(), static_cast<Uint32>(loaded.length)) != 0) {
        return FALSE;
    }
    if ((flags & SND_ASYNC) == 0) {
        WaitUntilPlayed(DurationMs(loaded.length));
    }
    return TRUE;
}
