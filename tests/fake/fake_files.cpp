// The fake's files: a temporary working directory per test, placeholder
// pictures, and a DIB reader that decodes nothing but fails like the real one.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fake/fake_platform.h"
#include "tests/fake/fake_state.h"

namespace fs = std::filesystem;

namespace fake {
namespace {

struct Dirs {
    fs::path original;
    fs::path temp;
};

Dirs& D() {
    static Dirs dirs;
    return dirs;
}

void LeaveTempDir() {
    if (D().temp.empty()) return;
    std::error_code ec;
    if (!D().original.empty()) fs::current_path(D().original, ec);
    fs::remove_all(D().temp, ec);
    D().temp.clear();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    const fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

std::vector<std::string>& detail::DibPathLog() {
    static std::vector<std::string> paths;
    return paths;
}

std::string EnterTempDir() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        std::error_code ec;
        D().original = fs::current_path(ec);
        std::atexit(LeaveTempDir);
    }
    LeaveTempDir();
    std::string pattern = (fs::temp_directory_path() / "trevla-test-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data()) == nullptr) {
        std::perror("fake platform: mkdtemp");
        std::abort();
    }
    D().temp = buf.data();
    fs::current_path(D().temp);
    return D().temp.string();
}

void StagePictures(const std::vector<std::string>& paths) {
    for (const auto& p : paths) WriteBytes(p, "BM placeholder picture");
}

void WriteFile(const std::string& path, const std::string& bytes) { WriteBytes(path, bytes); }

}  // namespace fake

using namespace fake;

AUX_RGBImageRec* auxDIBImageLoadA(const char* path) {
    detail::LogCall("auxDIBImageLoadA");
    const std::string name = path != nullptr ? path : "";
    detail::DibPathLog().push_back(name);

    std::ifstream in(name, std::ios::binary);
    std::string bytes;
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in || bytes.empty()) {
        const std::string text = "Failed to open DIB file " + name + ".\n";
        MessageBoxA(GetFocus(), text.c_str(), "Error", MB_OK);
        return nullptr;
    }
    if (bytes.rfind("BAD", 0) == 0) {
        MessageBoxA(GetFocus(), "Unknown DIB file format.", "Error", MB_OK);
        return nullptr;
    }
    int width = 4;
    int height = 4;
    if (bytes.rfind("SIZE", 0) == 0) {
        std::istringstream fields(bytes.substr(4));
        int w = 0, h = 0;
        if (fields >> w >> h && w > 0 && h > 0 && w <= 4096 && h <= 4096) {
            width = w;
            height = h;
        }
    }
    auto* image = static_cast<AUX_RGBImageRec*>(std::malloc(sizeof(AUX_RGBImageRec)));
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    auto* pixels = static_cast<unsigned char*>(std::malloc(size));
    if (image == nullptr || pixels == nullptr) {
        std::free(image);
        std::free(pixels);
        MessageBoxA(GetFocus(), "Out of memory.", "Error", MB_OK);
        return nullptr;
    }
    std::memset(pixels, 0x80, size);
    image->sizeX = width;
    image->sizeY = height;
    image->data = pixels;
    return image;
}
