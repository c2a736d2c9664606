// WAV playback by relative path; the result is not looked at, since a sound
// that cannot be played is simply not heard.
#include "base/sound.h"

#include "platform/platform.h"

void PlayWav(const char* path, WavMode mode) {
    const DWORD flags = mode == WavMode::Async ? SND_ASYNC : SND_SYNC;
    PlaySoundA(path, nullptr, flags);
}
