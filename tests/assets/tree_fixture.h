// A fresh temporary directory per test for generated trees.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "assets/data_tree.h"

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class TreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        scratch = fs::temp_directory_path() / ("trevla-assets-" + std::to_string(getpid()) + "-" +
                                               info->test_suite_name() + "-" + info->name());
        fs::remove_all(scratch);
        fs::create_directories(scratch);
    }
    void TearDown() override { fs::remove_all(scratch); }

    // Generates a tree under scratch/name from the repository's map sources.
    fs::path Generate(const std::string& name) {
        const fs::path root = scratch / name;
        std::string error;
        EXPECT_TRUE(GenerateDataTree(root, TREVLA_MAP_SOURCES, error)) << error;
        return root;
    }

    fs::path scratch;
};
