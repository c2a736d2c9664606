// The game's four sounds, synthesised: samples in -1 to 1 at kSampleRate.
#pragma once

#include <vector>

std::vector<float> SynthMenuClick();  // menu moves and the pause: very short
std::vector<float> SynthSwoosh();     // starting a game
std::vector<float> SynthBuzzer();     // leaving play; it holds the game, so short
std::vector<float> SynthWinJingle();  // a one-player level complete
