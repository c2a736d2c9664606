#include "test_files.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>
#include <iterator>

namespace testfiles {

ScratchDir::ScratchDir() {
    static int counter = 0;
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name =
        "trevla_platform_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    if (info != nullptr) {
        name += std::string("_") + info->name();
    }
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    path_ = std::filesystem::path(testing::TempDir()) / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void PutU16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes.at(at) = static_cast<unsigned char>(value);
    bytes.at(at + 1) = static_cast<unsigned char>(value >> 8);
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<unsigned char>(value >> (8 * i));
    }
}

}  // namespace testfiles
