// The window procedure: activation, system commands, close, keys and size.
#include "tests/base/base_fixture.h"

namespace {

using basetest::BaseTest;

WPARAM Words(WORD low, WORD high) { return (static_cast<WPARAM>(high) << 16) | low; }

struct ProcCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool defaultProcessing;  // handed to DefWindowProcA
    bool quits;              // posts the quit message
};

class WindowProcRouting : public BaseTest, public ::testing::WithParamInterface<ProcCase> {};

TEST_P(WindowProcRouting, HandlesOrPassesOn) {
    const ProcCase& c = GetParam();
    EXPECT_EQ(GlWindowProc(nullptr, c.message, c.wParam, c.lParam), 0);
    EXPECT_EQ(fake::CallCount("DefWindowProcA"), c.defaultProcessing ? 1 : 0);
    EXPECT_EQ(fake::CallCount("PostQuitMessage"), c.quits ? 1 : 0);
    for (unsigned char k : KeyState) ASSERT_EQ(k, 0) << "no key state from " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Messages,
    WindowProcRouting,
    ::testing::Values(
        ProcCase{"ScreenSaverSwallowed", WM_SYSCOMMAND, SC_SCREENSAVE, 0, false, false},
        ProcCase{"MonitorPowerSwallowed", WM_SYSCOMMAND, SC_MONITORPOWER, 2, false, false},
        ProcCase{"OtherSysCommandDefault", WM_SYSCOMMAND, SC_CLOSE, 0, true, false},
        ProcCase{"NearScreenSaverDefault", WM_SYSCOMMAND, SC_SCREENSAVE | 1, 0, true, false},
        ProcCase{"CloseQuits", WM_CLOSE, 0, 0, false, true},
        ProcCase{"SysKeyDownDefault", WM_SYSKEYDOWN, VK_F10, 0, true, false},
        ProcCase{"AltKeyDefault", WM_SYSKEYDOWN, VK_MENU, 0, true, false},
        ProcCase{"CharDefault", WM_CHAR, 'a', 0, true, false},
        ProcCase{"DestroyDefault", WM_DESTROY, 0, 0, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BaseTest, CloseRequestPostsQuitWithCodeZero) {
    GlWindowProc(nullptr, WM_CLOSE, 0, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(BaseTest, ActivationFollowsOnlyTheMinimizedFlag) {
    struct Row {
        WORD state;
        WORD minimized;
        bool active;
    };
    const Row rows[] = {
        {WA_ACTIVE, 0, true},
        {WA_INACTIVE, 0, true},  // losing the focus is not minimizing
        {WA_ACTIVE, 1, false},
        {WA_INACTIVE, 1, false},
        {2, 0, true},  // click activation
    };
    for (const Row& r : rows) {
        for (bool before : {false, true}) {
            windowActive = before;
            EXPECT_EQ(GlWindowProc(nullptr, WM_ACTIVATE, Words(r.state, r.minimized), 0), 0);
            EXPECT_EQ(windowActive, r.active)
                << "state " << r.state << " minimized " << r.minimized << " before " << before;
        }
    }
    EXPECT_EQ(fake::CallCount("DefWindowProcA"), 0);
}

TEST_F(BaseTest, KeysSetAndClearTheirEntriesOnly) {
    EXPECT_EQ(GlWindowProc(nullptr, WM_KEYDOWN, VK_LEFT, 1), 0);
    EXPECT_EQ(GlWindowProc(nullptr, WM_KEYDOWN, 'W', 1), 0);
    EXPECT_EQ(GlWindowProc(nullptr, WM_KEYDOWN, VK_LEFT, 0x40000001), 0);  // auto-repeat
    EXPECT_EQ(KeyState[VK_LEFT], 1);
    EXPECT_EQ(KeyState['W'], 1);
    EXPECT_EQ(GlWindowProc(nullptr, WM_KEYUP, VK_LEFT, static_cast<LPARAM>(0xC0000001u)), 0);
    EXPECT_EQ(KeyState[VK_LEFT], 0);
    EXPECT_EQ(KeyState['W'], 1);
    int down = 0;
    for (unsigned char k : KeyState) down += k;
    EXPECT_EQ(down, 1);
    EXPECT_EQ(fake::CallCount("DefWindowProcA"), 0);
}

TEST_F(BaseTest, KeyCodesBeyondTheTableAreIgnored) {
    GlWindowProc(nullptr, WM_KEYDOWN, 256, 0);
    GlWindowProc(nullptr, WM_KEYDOWN, 0x10000 + VK_LEFT, 0);
    GlWindowProc(nullptr, WM_KEYUP, static_cast<WPARAM>(-1), 0);
    for (unsigned char k : KeyState) EXPECT_EQ(k, 0);
}

TEST_F(BaseTest, SizeEventSetsTheStretchedViewWithHeightZeroAsOne) {
    struct Row {
        WORD width, height;
        std::array<int, 4> viewport;
    };
    const Row rows[] = {
        {800, 600, {0, 0, 800, 600}},
        {1920, 1080, {0, 0, 1920, 1080}},
        {640, 0, {0, 0, 640, 1}},
    };
    for (const Row& r : rows) {
        fake::Reset();
        EXPECT_EQ(
            GlWindowProc(
                nullptr, WM_SIZE, SIZE_RESTORED, static_cast<LPARAM>(Words(r.width, r.height))),
            0);
        EXPECT_EQ(fake::Viewport(), r.viewport);
        EXPECT_EQ(fake::GlLog(),
                  (std::vector<std::string>{
                      "glViewport(0,0," + std::to_string(r.viewport[2]) + "," +
                          std::to_string(r.viewport[3]) + ")",
                      "glMatrixMode(GL_PROJECTION)",
                      "glLoadIdentity()",
                      "glOrtho(0,640,480,0,-1,1)",
                      "glMatrixMode(GL_MODELVIEW)",
                      "glLoadIdentity()",
                  }));
    }
}

TEST_F(BaseTest, ShownWindowReportsActiveAndItsClientSize) {
    windowActive = false;
    ASSERT_TRUE(OpenGlWindow("Trevla_edit - SnAkE", 640, 480, 16, false));
    EXPECT_TRUE(windowActive);
    EXPECT_EQ(fake::Viewport(), (std::array<int, 4>{0, 0, 640, 480}));

    // Minimized, then restored through the message pump.
    fake::PushMessage(WM_ACTIVATE, Words(WA_INACTIVE, 1));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&msg);
    EXPECT_FALSE(windowActive);
}

}  // namespace
