// Whole runs of the game on the fake platform: a fresh program state in a
// temporary directory with the game's pictures, map files written by the
// test, and a script of key messages, frames, clock readings and checks that
// GameMain works through.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/gl_state.h"
#include "base/gl_window.h"
#include "game/game_main.h"
#include "game/game_screens.h"
#include "game/game_state.h"
#include "game/snake_tick.h"
#include "mapfile/map_file.h"
#include "tests/fake/fake_platform.h"

namespace session {

inline void Fresh() {
    ResetGameState();
    ResetGlWindowState();
    fake::Reset();
    fake::EnterTempDir();
    fake::StagePictures({kGameTextureFiles.begin(), kGameTextureFiles.end()});
    std::filesystem::create_directories("Data/maps");
}

// A field with a wall ring and the drawing painted with its top-left at
// (1, 1): '#' wall, '.' empty, '*' item, '1' and '2' start cells, '?' code 7.
inline MapGrid WalledMap(std::initializer_list<std::string_view> rows = {}) {
    MapGrid grid;
    for (int i = 0; i < kMapSize; ++i) {
        grid.at(i, 0) = grid.at(i, kMapSize - 1) = Wall;
        grid.at(0, i) = grid.at(kMapSize - 1, i) = Wall;
    }
    int y = 1;
    for (std::string_view row : rows) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            std::int32_t code = Empty;
            switch (row[x]) {
                case '#': code = Wall; break;
                case '*': code = Item; break;
                case '1': code = Snake1; break;
                case '2': code = Snake2; break;
                case '?': code = 7; break;
                default: break;
            }
            grid.at(x + 1, y) = code;
        }
        ++y;
    }
    return grid;
}

inline void WriteMap(int slot, const MapGrid& grid) {
    WriteMapFile(("Data/maps/map" + std::to_string(slot)).c_str(), grid);
}

inline void Frames(int n) { fake::PushFrames(n); }
inline void Do(std::function<void()> fn) { fake::PushCall(std::move(fn)); }
inline void KeyDown(int vk) { fake::PushKeyDown(vk); }
inline void KeyUp(int vk) { fake::PushKeyUp(vk); }

// A key pressed for one frame and released, then one more frame.
inline void Tap(int vk) {
    KeyDown(vk);
    Frames(1);
    KeyUp(vk);
    Frames(1);
}

// One frame in which a tick is due at the speed then chosen.
inline void TickFrame() {
    Do([] { fake::AdvanceClockMs(TickInterval(speedLevel) + 1.0); });
    Frames(1);
}

// From the menu with item 1 or 2 selected: Enter, then the frame in which
// the loading picture has been up for 2000 ms and the round is set up.
inline void StartGame() {
    Tap(VK_RETURN);
    Do([] { fake::AdvanceClockMs(2001); });
    Frames(1);
}

// Runs the game through its script; returns the exit code.
inline int RunGame() { return GameMain(); }

inline bool Playing() { return !inMenu && !isLoading && !roundOver && !paused; }

// The texts of the last frame drawn, by their position.
struct PlacedText {
    double x, y;
    std::string text;
    bool operator==(const PlacedText&) const = default;
};

inline std::vector<PlacedText> Texts(const fake::Frame& frame) {
    std::vector<PlacedText> texts;
    for (const fake::Text& t : frame.texts) texts.push_back({t.x, t.y, t.text});
    return texts;
}

inline std::vector<std::string> SoundPaths() {
    std::vector<std::string> paths;
    for (const fake::Sound& s : fake::Sounds()) paths.push_back(s.path);
    return paths;
}

inline bool Blocking(const fake::Sound& s) { return (s.flags & SND_ASYNC) == 0; }

// A quad as text, for readable comparisons: its texture entry and its corners
// with their texture coordinates, in the order drawn.
inline std::string Describe(const fake::Quad& q) {
    int entry = -1;
    for (int i = 0; i < static_cast<int>(TextureTable.size()); ++i)
        if (TextureTable[i] == q.texture) entry = i;
    std::ostringstream out;
    out << "entry " << entry << (q.textured ? "" : " untextured") << ":";
    for (const fake::Vertex& v : q.v)
        out << " (" << v.x << "," << v.y << "," << v.z << "|" << v.s << "," << v.t << ")";
    return out.str();
}

// The quad that the picture rule gives for a picture over four corners
// listed (left, bottom), (right, bottom), (right, top), (left, top).
inline std::string Picture(int entry, std::array<std::array<float, 2>, 4> corners) {
    fake::Quad q{TextureTable[entry], true, {}};
    const float tex[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) q.v[i] = {corners[i][0], corners[i][1], 0, tex[i][0], tex[i][1]};
    return Describe(q);
}

inline std::string Picture(int entry, float left, float top, float right, float bottom) {
    return Picture(entry, {{{left, bottom}, {right, bottom}, {right, top}, {left, top}}});
}

inline std::vector<std::string> Describe(const std::vector<fake::Quad>& quads) {
    std::vector<std::string> out;
    for (const fake::Quad& q : quads) out.push_back(Describe(q));
    return out;
}

constexpr const char* kBuzzer = "Data/sounds/menu/buzzer.wav";
constexpr const char* kMenu = "Data/sounds/menu/menu.wav";
constexpr const char* kSwoosh = "Data/sounds/menu/swoosh.wav";
constexpr const char* kWin = "Data/sounds/ingame/win.wav";

inline std::ostream& operator<<(std::ostream& out, const PlacedText& t) {
    return out << "\"" << t.text << "\" at (" << t.x << ", " << t.y << ")";
}

}  // namespace session
