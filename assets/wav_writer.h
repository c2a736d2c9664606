// 16-bit PCM WAV files, mono.
#pragma once

#include <string>
#include <vector>

constexpr int kSampleRate = 22050;

// Samples in -1 to 1; anything beyond is clipped.
std::vector<unsigned char> EncodeWav(const std::vector<float>& samples);

bool WriteWavFile(const std::string& path, const std::vector<float>& samples, std::string& error);
