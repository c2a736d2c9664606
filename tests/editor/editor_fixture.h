// Whole-program runs of the editor on the fake platform: a fresh temporary
// working directory with the editor's pictures and a "Data/maps" directory,
// map files written by the test, and a script of key messages and frames.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "base/gl_state.h"
#include "base/gl_window.h"
#include "editor/editor_main.h"
#include "editor/editor_screen.h"
#include "editor/editor_state.h"
#include "mapfile/map_file.h"
#include "tests/fake/fake_platform.h"

namespace editor_test {

constexpr int kKeyH = 'H';
constexpr int kKeyL = 'L';
constexpr int kKeyN = 'N';
constexpr int kKeyS = 'S';
constexpr int Digit(int d) { return '0' + d; }

// A map file as a user might write it: rows of values separated by spaces.
inline std::string MapText(const MapGrid& grid) {
    std::ostringstream out;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            out << grid.at(x, y) << (x + 1 < kMapSize ? " " : "\n");
        }
    }
    return out.str();
}

inline void WriteMap(const std::string& path, const MapGrid& grid) {
    fake::WriteFile(path, MapText(grid));
}

// The 3600 values of a written map file, in file order.
inline MapGrid ReadMapValues(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    MapGrid grid;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            in >> grid.at(x, y);
        }
    }
    EXPECT_TRUE(in) << path << " holds fewer than 3600 values";
    return grid;
}

// A grid with a wall border, as most maps have.
inline MapGrid WalledGrid() {
    MapGrid grid;
    for (int i = 0; i < kMapSize; ++i) {
        grid.at(i, 0) = Wall;
        grid.at(i, kMapSize - 1) = Wall;
        grid.at(0, i) = Wall;
        grid.at(kMapSize - 1, i) = Wall;
    }
    return grid;
}

// Key down, `frames` frames with it held, key up, one frame.
inline void Press(int vk, int frames = 1) {
    fake::PushKeyDown(vk);
    fake::PushFrames(frames);
    fake::PushKeyUp(vk);
    fake::PushFrames(1);
}

// Runs fn at this point of the script, between two loop passes.
inline void At(std::function<void()> fn) { fake::PushCall(std::move(fn)); }

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        ResetGlWindowState();
        ResetEditorState();
        fake::EnterTempDir();
        fake::StagePictures({kEditorTextureFiles.begin(), kEditorTextureFiles.end()});
        std::filesystem::create_directories("Data/maps");
    }

    // Runs the editor to its end: the script, then the fake's closing of the
    // window.
    void Run() { ASSERT_EQ(EditorMain(), 0); }
};

}  // namespace editor_test
