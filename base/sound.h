#pragma once

enum class WavMode { Blocking = 0, Async = 1 };

// Plays a WAV file by relative path; Blocking returns when it has ended.
// A sound that cannot be played is skipped silently.
void PlayWav(const char* path, WavMode mode);
