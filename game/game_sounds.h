// The game's sound files.
#pragma once

constexpr const char* kBuzzerSound = "Data/sounds/menu/buzzer.wav";
constexpr const char* kMenuSound = "Data/sounds/menu/menu.wav";
constexpr const char* kSwooshSound = "Data/sounds/menu/swoosh.wav";
constexpr const char* kWinSound = "Data/sounds/ingame/win.wav";
