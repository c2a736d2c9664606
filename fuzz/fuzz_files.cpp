#include "fuzz/fuzz_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

fs::path& Folder() {
    static fs::path folder;
    return folder;
}

void RemoveFolder() {
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
}

}  // namespace

std::string ScratchPath(const char* name) {
    if (Folder().empty()) {
        std::error_code error;
        const fs::path base =
            fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        Folder() = base / ("trevla-fuzz-" + std::to_string(getpid()));
        fs::create_directories(Folder(), error);
        if (error) {
            std::perror("fuzz: scratch folder");
            std::abort();
        }
        std::atexit(RemoveFolder);
    }
    return (Folder() / name).string();
}

void WriteScratch(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) {
        std::perror(path.c_str());
        std::abort();
    }
}

std::string ReadScratch(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
