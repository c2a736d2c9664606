// Message boxes where no box can be shown: the text on standard error and
// the default answer, so a program without a screen never hangs.

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class MessageBoxWithoutDisplay : public testing::Test {
protected:
    void SetUp() override {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
};

struct BoxCase {
    UINT type;
    int answer;
};

TEST_F(MessageBoxWithoutDisplay, AnswersWithTheDefaultButton) {
    const BoxCase cases[] = {
        {MB_OK, IDOK},
        {MB_OK | MB_ICONWARNING, IDOK},
        {MB_OK | MB_ICONERROR, IDOK},
        {MB_OK | MB_ICONINFORMATION, IDOK},
        {MB_YESNO | MB_ICONWARNING, IDYES},
        {MB_YESNO, IDYES},
    };
    for (const BoxCase& box : cases) {
        testing::internal::CaptureStderr();
        const int answer = MessageBoxA(
            nullptr, "Would You Like To Run In Fullscreen Mode?", "Start FullScreen?", box.type);
        const std::string shown = testing::internal::GetCapturedStderr();
        EXPECT_EQ(answer, box.answer) << box.type;
        EXPECT_EQ(shown, "Start FullScreen?: Would You Like To Run In Fullscreen Mode?\n")
            << box.type;
    }
}

TEST_F(MessageBoxWithoutDisplay, MultiLineTextsKeepTheirLines) {
    const std::pair<const char*, const char*> cases[] = {
        {"KEY : FUNCTION\r\n\nSPACE   switch\r\nESC   quit",
         "Help: KEY : FUNCTION\n\nSPACE   switch\nESC   quit\n"},
        {"Failed to open DIB file a.bmp.\n", "Help: Failed to open DIB file a.bmp.\n"},
        {"lone\rreturn", "Help: lone\nreturn\n"},
        {"", "Help: \n"},
    };
    for (const auto& [text, shown] : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(MessageBoxA(nullptr, text, "Help", MB_OK), IDOK);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), shown);
    }
}

TEST_F(MessageBoxWithoutDisplay, NullTextsAndStaleOwnersAreSafe) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(0x1234), "text", "caption", MB_OK), IDOK);
    const std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_NE(shown.find("Error: \n"), std::string::npos);
    EXPECT_NE(shown.find("caption: text\n"), std::string::npos);
}

}  // namespace
