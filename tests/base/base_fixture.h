// Shared set-up for the base's tests: a fresh fake, a fresh window state and
// a temporary working directory with a small picture list.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "base/gl_state.h"
#include "base/gl_window.h"
#include "tests/fake/fake_platform.h"

namespace basetest {

inline constexpr std::array<const char*, 3> kPictures = {
    "data/textures/a.bmp", "data/textures/b.bmp", "data/mapedit/c.bmp"};

inline constexpr const char* kTitle = "Trevla - SnAkE";

class BaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        ResetGlWindowState();
        fake::EnterTempDir();
        fake::StagePictures({kPictures.begin(), kPictures.end()});
        UseTextureList(kPictures);
    }
};

// The release operations and boxes in the call log, in order, from `from` on.
inline std::vector<std::string> ReleasesAndBoxes(size_t from = 0) {
    static const std::vector<std::string> kInteresting = {"ChangeDisplaySettingsA(null)",
                                                          "ShowCursor(1)",
                                                          "wglMakeCurrent(null)",
                                                          "wglDeleteContext",
                                                          "ReleaseDC",
                                                          "DestroyWindow",
                                                          "UnregisterClassA",
                                                          "MessageBoxA"};
    std::vector<std::string> out;
    const auto& log = fake::CallLog();
    for (size_t i = from; i < log.size(); ++i) {
        for (const auto& name : kInteresting) {
            if (log[i] == name) out.push_back(name);
        }
    }
    return out;
}

}  // namespace basetest
