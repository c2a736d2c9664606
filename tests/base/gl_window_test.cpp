// Opening, closing and switching the window, with every failure report.
#include <cstdio>
#include <cstring>
#include <optional>

#include "tests/base/base_fixture.h"

namespace {

using basetest::BaseTest;
using basetest::kTitle;
using basetest::ReleasesAndBoxes;
using fake::Op;

constexpr UINT kWarning = MB_OK | MB_ICONWARNING;

struct BoxExpectation {
    const char* text;
    const char* caption;
    UINT type;
};

struct OpenFailureCase {
    const char* name;
    bool fullscreen;
    std::optional<Op> failing;   // the platform operation that fails
    const char* missingPicture;  // or a picture that is missing
    std::vector<BoxExpectation> boxes;
    // Release operations and boxes, in order, from the start of OpenGlWindow.
    std::vector<std::string> releasesAndBoxes;
};

const std::vector<OpenFailureCase>& OpenFailureCases() {
    static const std::vector<OpenFailureCase> cases = {
        {"RegisterClass",
         false,
         Op::RegisterClassA,
         nullptr,
         {{"Failed To Register The Window Class.", "ERROR", kWarning}},
         {"MessageBoxA"}},
        {"CreateWindow",
         false,
         Op::CreateWindowExA,
         nullptr,
         {{"Window Creation Error.", "ERROR", kWarning}},
         {"UnregisterClassA", "MessageBoxA"}},
        {"CreateWindowFullscreen",
         true,
         Op::CreateWindowExA,
         nullptr,
         {{"Window Creation Error.", "ERROR", kWarning}},
         {"ChangeDisplaySettingsA(null)", "ShowCursor(1)", "UnregisterClassA", "MessageBoxA"}},
        {"GetDC",
         false,
         Op::GetDC,
         nullptr,
         {{"Can't Create A GL Device Context.", "ERROR", kWarning}},
         {"DestroyWindow", "UnregisterClassA", "MessageBoxA"}},
        {"ChoosePixelFormat",
         false,
         Op::ChoosePixelFormat,
         nullptr,
         {{"Can't Find A Suitable PixelFormat.", "ERROR", kWarning}},
         {"ReleaseDC", "DestroyWindow", "UnregisterClassA", "MessageBoxA"}},
        {"SetPixelFormat",
         false,
         Op::SetPixelFormat,
         nullptr,
         {{"Can't Set The PixelFormat.", "ERROR", kWarning}},
         {"ReleaseDC", "DestroyWindow", "UnregisterClassA", "MessageBoxA"}},
        {"CreateContext",
         false,
         Op::wglCreateContext,
         nullptr,
         {{"Can't Create A GL Rendering Context.", "ERROR", kWarning}},
         {"ReleaseDC", "DestroyWindow", "UnregisterClassA", "MessageBoxA"}},
        {"MakeCurrent",
         false,
         Op::wglMakeCurrent,
         nullptr,
         {{"Can't Activate The GL Rendering Context.", "ERROR", kWarning}},
         {"wglMakeCurrent(null)",
          "wglDeleteContext",
          "ReleaseDC",
          "DestroyWindow",
          "UnregisterClassA",
          "MessageBoxA"}},
        {"MakeCurrentFullscreen",
         true,
         Op::wglMakeCurrent,
         nullptr,
         {{"Can't Activate The GL Rendering Context.", "ERROR", kWarning}},
         {"ChangeDisplaySettingsA(null)",
          "ShowCursor(1)",
          "wglMakeCurrent(null)",
          "wglDeleteContext",
          "ReleaseDC",
          "DestroyWindow",
          "UnregisterClassA",
          "MessageBoxA"}},
        {"MissingPicture",
         false,
         std::nullopt,
         basetest::kPictures[1],
         {{"Loading Textures failed.", "ERROR", kWarning},
          {"Initialization Failed.", "ERROR", kWarning}},
         {"MessageBoxA",
          "wglMakeCurrent(null)",
          "wglDeleteContext",
          "ReleaseDC",
          "DestroyWindow",
          "UnregisterClassA",
          "MessageBoxA"}},
    };
    return cases;
}

class OpenFailureTest : public BaseTest, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(OpenFailureTest, ReportsReleasesAndFails) {
    const OpenFailureCase& c = GetParam();
    if (c.failing) fake::FailNext(*c.failing);
    if (c.missingPicture != nullptr) std::remove(c.missingPicture);

    EXPECT_FALSE(OpenGlWindow(kTitle, 640, 480, 16, c.fullscreen));

    const auto& boxes = fake::Boxes();
    ASSERT_EQ(boxes.size(), c.boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].text, c.boxes[i].text);
        EXPECT_EQ(boxes[i].caption, c.boxes[i].caption);
        EXPECT_EQ(boxes[i].type, c.boxes[i].type);
        EXPECT_FALSE(boxes[i].owned);
    }
    EXPECT_EQ(ReleasesAndBoxes(), c.releasesAndBoxes);

    // Nothing is left held: no window, no context, no changed mode, no hidden cursor.
    EXPECT_EQ(glWindow.window, nullptr);
    EXPECT_EQ(glWindow.deviceContext, nullptr);
    EXPECT_EQ(glWindow.glContext, nullptr);
    EXPECT_FALSE(fake::WindowExists());
    EXPECT_FALSE(fake::ClassRegistered());
    EXPECT_FALSE(fake::DisplayModeChanged());
    EXPECT_EQ(fake::CursorCounter(), 0);
    EXPECT_EQ(glWindow.fullscreen, c.fullscreen) << "a failure leaves the flag as requested";
}

INSTANTIATE_TEST_SUITE_P(Rows,
                         OpenFailureTest,
                         ::testing::ValuesIn(OpenFailureCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct ShutdownCase {
    const char* name;
    Op failing;
    const char* failingCall;
    const char* text;
};

class ShutdownFailureTest : public BaseTest, public ::testing::WithParamInterface<ShutdownCase> {};

TEST_P(ShutdownFailureTest, ReportsAndGoesOn) {
    const ShutdownCase& c = GetParam();
    ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, true));
    const size_t mark = fake::CallLog().size();
    fake::FailNext(c.failing);

    CloseGlWindow();

    ASSERT_EQ(fake::Boxes().size(), 1u);
    EXPECT_EQ(fake::Boxes()[0].text, c.text);
    EXPECT_EQ(fake::Boxes()[0].caption, "SHUTDOWN ERROR");
    EXPECT_EQ(fake::Boxes()[0].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_FALSE(fake::Boxes()[0].owned);

    std::vector<std::string> expected = {"ChangeDisplaySettingsA(null)",
                                         "ShowCursor(1)",
                                         "wglMakeCurrent(null)",
                                         "wglDeleteContext",
                                         "ReleaseDC",
                                         "DestroyWindow",
                                         "UnregisterClassA"};
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (*it == c.failingCall) {
            expected.insert(it + 1, "MessageBoxA");
            break;
        }
    }
    EXPECT_EQ(ReleasesAndBoxes(mark), expected);
    EXPECT_EQ(glWindow.window, nullptr);
    EXPECT_EQ(glWindow.deviceContext, nullptr);
    EXPECT_EQ(glWindow.glContext, nullptr);
    EXPECT_TRUE(glWindow.fullscreen) << "closing does not change the flag";
}

INSTANTIATE_TEST_SUITE_P(
    Rows,
    ShutdownFailureTest,
    ::testing::Values(
        ShutdownCase{
            "MakeCurrentNone",
            Op::wglMakeCurrentNone,
            "wglMakeCurrent(null)",
            "Release Of DC And RC Failed.",
        },
        ShutdownCase{
            "DeleteContext",
            Op::wglDeleteContext,
            "wglDeleteContext",
            "Release Rendering Context Failed.",
        },
        ShutdownCase{"ReleaseDC", Op::ReleaseDC, "ReleaseDC", "Release Device Context Failed."},
        ShutdownCase{
            "DestroyWindow",
            Op::DestroyWindow,
            "DestroyWindow",
            "Could Not Release hWnd.",
        },
        ShutdownCase{
            "UnregisterClass",
            Op::UnregisterClassA,
            "UnregisterClassA",
            "Could Not Unregister Class.",
        }),
    [](const auto& info) { return std::string(info.param.name); });

using GlWindowTest = BaseTest;

TEST_F(GlWindowTest, WindowedOpensA640By480ClientAtTheOrigin) {
    ASSERT_TRUE(OpenGlWindow("Trevla_edit - SnAkE", 640, 480, 16, false));

    RECT outer{0, 0, 640, 480};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
    EXPECT_EQ(fake::WindowX(), 0);
    EXPECT_EQ(fake::WindowY(), 0);
    EXPECT_EQ(fake::WindowWidth(), outer.right - outer.left);
    EXPECT_EQ(fake::WindowHeight(), outer.bottom - outer.top);
    EXPECT_GT(fake::WindowWidth(), 640) << "the frame is added around the client area";
    EXPECT_EQ(fake::WindowStyle(), WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(fake::WindowExStyle(), WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
    EXPECT_EQ(fake::WindowTitle(), "Trevla_edit - SnAkE");
    EXPECT_TRUE(fake::WindowVisible());
    EXPECT_TRUE(fake::WindowFocused());
    EXPECT_TRUE(fake::ContextCurrent());
    EXPECT_EQ(fake::CallCount("ChangeDisplaySettingsA"), 0);
    EXPECT_EQ(fake::CursorCounter(), 0);
    EXPECT_TRUE(fake::Boxes().empty());

    const WNDCLASSA wc = fake::RegisteredClass();
    EXPECT_STREQ(wc.lpszClassName, "OpenGL");
    EXPECT_EQ(wc.style, CS_HREDRAW | CS_VREDRAW | CS_OWNDC);
    EXPECT_EQ(wc.lpfnWndProc, &GlWindowProc);
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_EQ(wc.hInstance, GetModuleHandleA(nullptr));
    EXPECT_EQ(wc.hIcon, LoadIconA(nullptr, IDI_WINLOGO));
    EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(wc.hbrBackground, nullptr);
    EXPECT_EQ(wc.lpszMenuName, nullptr);

    // The fixed view, set last by OpenGlWindow itself.
    EXPECT_EQ(fake::Viewport(), (std::array<int, 4>{0, 0, 640, 480}));
    EXPECT_EQ(fake::Ortho(), (std::array<double, 6>{0, 640, 480, 0, -1, 1}));
    EXPECT_EQ(fake::MatrixMode(), static_cast<GLenum>(GL_MODELVIEW));
}

TEST_F(GlWindowTest, PixelFormatRequestIsFilledAtTheFirstCallOnly) {
    ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, false));
    PIXELFORMATDESCRIPTOR expected{};
    expected.nSize = 40;
    expected.nVersion = 1;
    expected.dwFlags = 0x25;
    expected.iPixelType = PFD_TYPE_RGBA;
    expected.cColorBits = 16;
    expected.cDepthBits = 16;
    expected.iLayerType = PFD_MAIN_PLANE;
    PIXELFORMATDESCRIPTOR seen = fake::LastPixelFormatRequest();
    EXPECT_EQ(std::memcmp(&seen, &expected, sizeof expected), 0);

    CloseGlWindow();
    ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 32, false));
    seen = fake::LastPixelFormatRequest();
    EXPECT_EQ(std::memcmp(&seen, &expected, sizeof expected), 0);
}

TEST_F(GlWindowTest, FullscreenHidesTheCursorAndCloseRestoresModeAndCursor) {
    ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, true));

    const DEVMODEA mode = fake::LastDisplayMode();
    EXPECT_EQ(mode.dmPelsWidth, 640u);
    EXPECT_EQ(mode.dmPelsHeight, 480u);
    EXPECT_EQ(mode.dmBitsPerPel, 16u);
    EXPECT_EQ(mode.dmFields, DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT);
    EXPECT_EQ(mode.dmSize, sizeof(DEVMODEA));
    EXPECT_EQ(fake::LastDisplayModeFlags(), CDS_FULLSCREEN);
    EXPECT_TRUE(fake::WindowFullscreen());
    EXPECT_EQ(fake::WindowStyle(), WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(fake::WindowExStyle(), WS_EX_APPWINDOW);
    EXPECT_EQ(fake::WindowWidth(), 640);
    EXPECT_EQ(fake::WindowHeight(), 480);
    EXPECT_EQ(fake::CursorCounter(), -1);

    const size_t mark = fake::CallLog().size();
    DeleteFontLists();
    CloseGlWindow();
    EXPECT_EQ(ReleasesAndBoxes(mark),
              (std::vector<std::string>{"ChangeDisplaySettingsA(null)",
                                        "ShowCursor(1)",
                                        "wglMakeCurrent(null)",
                                        "wglDeleteContext",
                                        "ReleaseDC",
                                        "DestroyWindow",
                                        "UnregisterClassA"}));
    EXPECT_FALSE(fake::DisplayModeChanged());
    EXPECT_EQ(fake::CursorCounter(), 0);
    EXPECT_EQ(fake::ListsAlive(), 0);
    EXPECT_TRUE(fake::Boxes().empty());
}

TEST_F(GlWindowTest, ClosingTwiceReleasesNothingTwice) {
    for (bool fullscreen : {false, true}) {
        SCOPED_TRACE(fullscreen ? "fullscreen" : "windowed");
        fake::Reset();
        ResetGlWindowState();
        ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, fullscreen));
        CloseGlWindow();
        const size_t mark = fake::CallLog().size();

        CloseGlWindow();

        EXPECT_TRUE(ReleasesAndBoxes(mark).empty());
        EXPECT_EQ(fake::CallCount("ShowCursor(1)"), fullscreen ? 1 : 0);
        EXPECT_EQ(fake::CursorCounter(), 0);
        EXPECT_TRUE(fake::Boxes().empty());
        EXPECT_EQ(glWindow.fullscreen, fullscreen);
    }
}

TEST_F(GlWindowTest, RefusedFullscreenAnsweredYesOpensWindowedAndTheNextToggleTriesAgain) {
    fake::FailNext(Op::ChangeDisplaySettingsA);
    ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, true));

    ASSERT_EQ(fake::Boxes().size(), 1u);
    EXPECT_EQ(fake::Boxes()[0].text,
              "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed "
              "Mode Instead?");
    EXPECT_EQ(fake::Boxes()[0].caption, "Vemo GL");
    EXPECT_EQ(fake::Boxes()[0].type, MB_YESNO | MB_ICONWARNING);
    EXPECT_FALSE(glWindow.fullscreen);
    EXPECT_EQ(fake::CursorCounter(), 0);
    EXPECT_FALSE(fake::WindowFullscreen());
    EXPECT_EQ(fake::WindowStyle() & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

    ASSERT_TRUE(ToggleFullscreen());
    EXPECT_EQ(fake::CallCount("ChangeDisplaySettingsA"), 2);
    EXPECT_TRUE(glWindow.fullscreen);
    EXPECT_TRUE(fake::WindowFullscreen());
    EXPECT_EQ(fake::CursorCounter(), -1);
}

TEST_F(GlWindowTest, RefusedFullscreenAnsweredNoClosesTheProgramWithTheClassRegistered) {
    fake::FailNext(Op::ChangeDisplaySettingsA);
    fake::AnswerNextBox(IDNO);

    EXPECT_FALSE(OpenGlWindow(kTitle, 640, 480, 16, true));

    ASSERT_EQ(fake::Boxes().size(), 2u);
    EXPECT_EQ(fake::Boxes()[0].caption, "Vemo GL");
    EXPECT_EQ(fake::Boxes()[1].text, "Program Will Now Close.");
    EXPECT_EQ(fake::Boxes()[1].caption, "ERROR");
    EXPECT_EQ(fake::Boxes()[1].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(fake::CallCount("CreateWindowExA"), 0);
    EXPECT_EQ(ReleasesAndBoxes(), (std::vector<std::string>{"MessageBoxA", "MessageBoxA"}));
    EXPECT_TRUE(fake::ClassRegistered());
    EXPECT_EQ(fake::CursorCounter(), 0);
}

TEST_F(GlWindowTest, ToggleRebuildsTexturesAndFontListsInTheOtherMode) {
    ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, false));
    KeyState[VK_F1] = 1;
    KeyState[VK_LEFT] = 1;

    ASSERT_TRUE(ToggleFullscreen());

    EXPECT_EQ(KeyState[VK_F1], 0);
    EXPECT_EQ(KeyState[VK_LEFT], 1) << "only F1 is consumed";
    EXPECT_TRUE(glWindow.fullscreen);
    EXPECT_TRUE(fake::WindowFullscreen());
    EXPECT_EQ(fake::WindowTitle(), kTitle);
    EXPECT_EQ(fake::DibPaths().size(), 2 * basetest::kPictures.size());
    EXPECT_EQ(fake::TexturesGenerated(), 6);
    EXPECT_EQ(fake::TexturesAlive(), 3);
    EXPECT_EQ(fake::ListsAlive(), 96);
    EXPECT_EQ(fake::CallCount("wglUseFontBitmapsA"), 2);
    EXPECT_TRUE(fake::GlEnabled(GL_TEXTURE_2D));

    ASSERT_TRUE(ToggleFullscreen());
    EXPECT_FALSE(glWindow.fullscreen);
    EXPECT_FALSE(fake::DisplayModeChanged());
    EXPECT_EQ(fake::CursorCounter(), 0);
    EXPECT_TRUE(fake::Boxes().empty());
}

TEST_F(GlWindowTest, WindowCreationFailureDuringAToggleShowsOneBoxAfterTheDesktopIsBack) {
    for (bool fromFullscreen : {false, true}) {
        SCOPED_TRACE(fromFullscreen ? "from fullscreen" : "from windowed");
        fake::Reset();
        ResetGlWindowState();
        ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, fromFullscreen));
        fake::FailNext(Op::CreateWindowExA);

        EXPECT_FALSE(ToggleFullscreen());

        ASSERT_EQ(fake::Boxes().size(), 1u);
        EXPECT_EQ(fake::Boxes()[0].text, "Window Creation Error.");
        const auto seq = ReleasesAndBoxes();
        ASSERT_FALSE(seq.empty());
        EXPECT_EQ(seq.back(), "MessageBoxA");
        EXPECT_EQ(fake::CallCount("ChangeDisplaySettingsA(null)"), 1);
        EXPECT_FALSE(fake::DisplayModeChanged());
        EXPECT_EQ(fake::CursorCounter(), 0);
        EXPECT_FALSE(fake::ClassRegistered());
    }
}

}  // namespace
