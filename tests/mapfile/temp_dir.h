// A fresh temporary directory that a test works in; the old working
// directory comes back and the directory goes away when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "mapfile/map_file.h"

class InTempDir : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "trevla-mapfile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        std::filesystem::current_path(dir_);
        mapSlot = 1;
        editorGrid = MapGrid{};
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }

    static void MakeMapsDir() { std::filesystem::create_directories("Data/maps"); }

    static void WriteText(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path previous_;
    std::filesystem::path dir_;
};

// Every cell a different mix of the five codes.
inline MapGrid PatternGrid(int salt = 0) {
    MapGrid grid;
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            grid.at(x, y) = (x * 7 + y * 3 + salt) % 5;
        }
    }
    return grid;
}

inline MapGrid FilledGrid(std::int32_t value) {
    MapGrid grid;
    for (auto& row : grid.cells) {
        row.fill(value);
    }
    return grid;
}
