#include "stage.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <thread>

namespace xkit {

namespace fs = std::filesystem;

TempDir::TempDir(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
}

void WriteBmp(const fs::path& path, int width, int height, const std::vector<Rgb>& pixels) {
    const int row = (width * 3 + 3) / 4 * 4;
    const auto size = static_cast<std::uint32_t>(row * height);
    std::string bytes;
    auto put16 = [&](std::uint16_t v) { bytes += char(v & 0xFF), bytes += char(v >> 8); };
    auto put32 = [&](std::uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
    bytes += "BM";
    put32(54 + size);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(24);
    put32(0);
    put32(size);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    // The bottom row comes first.
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixels[static_cast<std::size_t>(y) * width + x];
            bytes += char(c.b);
            bytes += char(c.g);
            bytes += char(c.r);
        }
        bytes.append(static_cast<std::size_t>(row - width * 3), '\0');
    }
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void WriteSolidBmp(const fs::path& path, Rgb colour) {
    constexpr int kSide = 16;
    WriteBmp(path, kSide, kSide, std::vector<Rgb>(kSide * kSide, colour));
}

void WriteSolidPictures(const fs::path& dir,
                        std::span<const char* const> files,
                        const std::function<Rgb(int)>& colourOf) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        WriteSolidBmp(dir / files[i], colourOf(static_cast<int>(i)));
    }
}

bool Is(const Screenshot& shot, int x, int y, Rgb colour) { return Near(shot.At(x, y), colour); }

bool InScreen(const Screenshot& shot, int x, int y) {
    return x >= 0 && y >= 0 && x < shot.width && y < shot.height;
}

std::optional<Screenshot> WaitFor(XServer& x,
                                  const std::function<bool(const Screenshot&)>& test,
                                  Millis timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    do {
        Screenshot shot = x.Grab();
        if (shot.width > 0 && test(shot)) return shot;
        std::this_thread::sleep_for(Millis(30));
    } while (std::chrono::steady_clock::now() < end);
    return std::nullopt;
}

Extent ExtentOf(const Screenshot& shot, Rgb colour, int left, int top, int right, int bottom) {
    Extent e;
    for (int y = std::max(top, 0); y < std::min(bottom, shot.height); ++y) {
        for (int x = std::max(left, 0); x < std::min(right, shot.width); ++x) {
            if (Is(shot, x, y, colour)) {
                e.left = std::min(e.left, x), e.right = std::max(e.right, x);
                e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
            }
        }
    }
    return e;
}

Screenshot Crop(const Screenshot& shot, int left, int top, int width, int height) {
    Screenshot part;
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    part.width = std::max(0, std::min(left + width, shot.width) - x0);
    part.height = std::max(0, std::min(top + height, shot.height) - y0);
    for (int y = 0; y < part.height; ++y) {
        for (int x = 0; x < part.width; ++x) part.pixels.push_back(shot.At(x0 + x, y0 + y));
    }
    return part;
}

std::string Tail(const std::vector<std::string>& lines, std::size_t count) {
    std::string tail;
    for (std::size_t i = lines.size() > count ? lines.size() - count : 0; i < lines.size(); ++i) {
        tail += lines[i] + " | ";
    }
    return tail;
}

std::vector<long> NumbersAfter(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<long> numbers;
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) numbers.push_back(std::stol(line.substr(prefix.size())));
    }
    return numbers;
}

}  // namespace xkit
