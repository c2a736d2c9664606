// Small file helpers shared by the platform tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testfiles {

using Bytes = std::vector<unsigned char>;

// A fresh directory for one test, removed with everything in it on scope exit.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

void PutU16(Bytes& bytes, std::size_t at, std::uint16_t value);
void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value);

}  // namespace testfiles
