// Message boxes of programs on the real X server, told apart by their
// pictures: the kit cannot read a box's text, so the base probe shows a box of
// the expected caption and text on its own, and a test compares the program's
// box with that picture. A box with another text differs in size or pixels.
// Header only; the probe is tests/base_window/base_probe.
#pragma once

#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "stage.h"
#include "xkit.h"

namespace boxes {

using xkit::Millis;
using xkit::Rgb;
using xkit::Screenshot;
using xkit::XServer;

// A message box: its caption, how it is shown and its text.
struct Box {
    const char* caption;
    const char* kind;  // "warning": the base's own errors; "plain": the BMP reader's
    std::string text;
};

// What a box window shows, once it has drawn itself.
inline std::optional<Screenshot> BoxPicture(XServer& x, XWindowId box) {
    const auto geometry = x.WindowGeometry(box);
    if (!geometry || geometry->width <= 0) return std::nullopt;
    return xkit::Crop(x.Grab(), geometry->x, geometry->y, geometry->width, geometry->height);
}

// A window of that caption, once `previous` (an answered box) has gone. A
// box that follows may come back under the same window id, so the wait for
// the old one to go is short.
inline XWindowId NextBox(XServer& x, const std::string& caption, XWindowId previous) {
    const auto end = std::chrono::steady_clock::now() + Millis(2000);
    while (previous != 0 && std::chrono::steady_clock::now() < end) {
        const auto geometry = x.WindowGeometry(previous);
        if (!geometry || !geometry->viewable) break;
        std::this_thread::sleep_for(Millis(20));
    }
    return x.FindWindow(caption, Millis(10000));
}

inline void Answer(XServer& x, XWindowId box) {
    x.Focus(box);
    std::this_thread::sleep_for(Millis(100));
    x.TapKey(XK_Return);
}

inline bool SamePicture(const Screenshot& a, const Screenshot& b) {
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

// The picture of `box` as the probe shows it, in the working directory `dir`.
inline std::optional<Screenshot> ReferencePicture(XServer& x,
                                                  const std::string& probePath,
                                                  const std::filesystem::path& dir,
                                                  const Box& box) {
    xkit::Program probe(x, probePath, {"box", box.caption, box.kind, box.text}, dir.string());
    const XWindowId window = NextBox(x, box.caption, 0);
    if (window == 0) return std::nullopt;
    // Drawn once two looks a little apart agree and show more than one colour.
    std::optional<Screenshot> last;
    const auto end = std::chrono::steady_clock::now() + Millis(10000);
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(Millis(100));
        auto now = BoxPicture(x, window);
        if (now && last && now->width == last->width && now->height == last->height &&
            now->pixels == last->pixels &&
            std::any_of(now->pixels.begin(), now->pixels.end(), [&](Rgb c) {
                return !(c == now->pixels[0]);
            })) {
            break;
        }
        last = now;
    }
    Answer(x, window);
    if (!probe.WaitExit(Millis(10000))) return std::nullopt;
    return last;
}

// The box window's picture once it matches `reference`, or the last one
// seen when it never does within the timeout.
inline std::optional<Screenshot> WaitForPicture(XServer& x,
                                                XWindowId window,
                                                const Screenshot& reference,
                                                Millis timeout = Millis(5000)) {
    std::optional<Screenshot> seen;
    const auto end = std::chrono::steady_clock::now() + timeout;
    do {
        seen = BoxPicture(x, window);
        if (seen && SamePicture(*seen, reference)) break;
        std::this_thread::sleep_for(Millis(50));
    } while (std::chrono::steady_clock::now() < end);
    return seen;
}

}  // namespace boxes
