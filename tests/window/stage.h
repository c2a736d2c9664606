// Working directories for programs under test and what the tests read back
// from the screen: a temporary folder that goes with the test, BMP pictures
// written into it, and screen polls and pixel regions.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "xkit.h"

namespace xkit {

// A fresh folder under the system's temporary directory, removed with
// everything in it when the object goes. Path() is empty when it could not
// be made.
class TempDir {
public:
    explicit TempDir(const std::string& prefix);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return dir_; }

private:
    std::filesystem::path dir_;
};

// Writes an uncompressed 24-bit BMP of `width` by `height` pixels, given row
// by row from the top, each row padded to four bytes as the format wants;
// makes the folders on the way.
void WriteBmp(const std::filesystem::path& path,
              int width,
              int height,
              const std::vector<Rgb>& pixels);
// A 16 by 16 picture of one colour.
void WriteSolidBmp(const std::filesystem::path& path, Rgb colour);
// Under `dir`, one solid picture per path of `files`, picture i in colourOf(i).
void WriteSolidPictures(const std::filesystem::path& dir,
                        std::span<const char* const> files,
                        const std::function<Rgb(int)>& colourOf);

// Whether the pixel at (x, y) is near `colour`.
bool Is(const Screenshot& shot, int x, int y, Rgb colour);
bool InScreen(const Screenshot& shot, int x, int y);

// Polls the screen until `test` holds; the last screenshot, or nothing on
// timeout.
std::optional<Screenshot> WaitFor(XServer& x,
                                  const std::function<bool(const Screenshot&)>& test,
                                  Millis timeout = Millis(10000));

// The bounds of the pixels near one colour within a region.
struct Extent {
    int left = 10000, right = -1, top = 10000, bottom = -1;
    bool Empty() const { return right < 0; }
};

// The pixels near `colour` with left <= x < right and top <= y < bottom,
// the region cut to the screen.
Extent ExtentOf(const Screenshot& shot, Rgb colour, int left, int top, int right, int bottom);

// The part of a screenshot from (left, top) of `width` by `height` pixels,
// cut to the screen.
Screenshot Crop(const Screenshot& shot, int left, int top, int width, int height);

// The last `count` output lines joined, to show where a program got to.
std::string Tail(const std::vector<std::string>& lines, std::size_t count = 12);
// The numbers of the lines that start with `prefix` ("rss " 1234), in order.
std::vector<long> NumbersAfter(const std::vector<std::string>& lines, const std::string& prefix);

}  // namespace xkit
