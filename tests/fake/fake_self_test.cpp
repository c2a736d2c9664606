// Checks that the fake behaves as its interface promises, so that failures in
// other tests point at the code under test and not at the fake.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/fake/fake_platform.h"

namespace {

std::vector<std::pair<UINT, WPARAM>> procCalls;

LRESULT RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    procCalls.emplace_back(message, wParam);
    if (message == WM_SIZE) procCalls.emplace_back(0xFFFF, static_cast<WPARAM>(lParam));
    if (message == WM_CLOSE) PostQuitMessage(7);
    return 0;
}

void RegisterRecordingClass() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "OpenGL";
    ASSERT_NE(RegisterClassA(&wc), 0);
}

class FakeTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        procCalls.clear();
    }
};

TEST_F(FakeTest, ScriptRunsInOrderAndEndsInOneCloseThenQuit) {
    RegisterRecordingClass();
    bool called = false;
    fake::PushKeyDown(VK_LEFT);
    fake::PushFrames(2);
    fake::PushCall([&] { called = true; });
    fake::PushClockMs(250);
    fake::PushKeyUp(VK_LEFT);

    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_LEFT));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(called);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(called);
    EXPECT_EQ(fake::ClockMs(), 250);
    EXPECT_EQ(msg.message, WM_KEYUP);
    EXPECT_TRUE(fake::ScriptEmpty());

    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_CLOSE);
    DispatchMessageA(&msg);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    ASSERT_EQ(procCalls.size(), 1u);
    EXPECT_EQ(procCalls[0].first, WM_CLOSE);
}

TEST(FakeDeathTest, EndlessPumpAbortsAfterTheFinalClose) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            fake::Reset();
            MSG msg{};
            for (int i = 0; i < 20000; ++i) PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        },
        "still asks for messages");
}

TEST_F(FakeTest, ShowWindowActivatesAndSizesThroughTheClassProcedure) {
    RegisterRecordingClass();
    RECT r{0, 0, 640, 480};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
    HWND w = CreateWindowExA(0,
                             "OpenGL",
                             "T",
                             WS_OVERLAPPEDWINDOW,
                             0,
                             0,
                             r.right - r.left,
                             r.bottom - r.top,
                             nullptr,
                             nullptr,
                             nullptr,
                             nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(fake::WindowVisible());
    EXPECT_TRUE(procCalls.empty());
    ShowWindow(w, SW_SHOW);
    EXPECT_TRUE(fake::WindowVisible());
    ASSERT_EQ(procCalls.size(), 3u);
    EXPECT_EQ(procCalls[0], std::make_pair(WM_ACTIVATE, WPARAM{WA_ACTIVE}));
    EXPECT_EQ(procCalls[1].first, WM_SIZE);
    EXPECT_EQ(procCalls[2].second, static_cast<WPARAM>((480u << 16) | 640u));
    EXPECT_EQ(CreateWindowExA(0, "Other", "T", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
}

TEST_F(FakeTest, ScriptedFailuresBoxAnswersAndLogs) {
    fake::FailNext(fake::Op::RegisterClassA);
    WNDCLASSA wc{};
    wc.lpszClassName = "OpenGL";
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_NE(RegisterClassA(&wc), 0);
    EXPECT_EQ(RegisterClassA(&wc), 0) << "a registered class cannot be registered again";

    fake::FailNext(fake::Op::ChangeDisplaySettingsA, -1);
    DEVMODEA mode{};
    EXPECT_NE(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
    EXPECT_NE(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);

    fake::AnswerNextBox(IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_YESNO | MB_ICONWARNING), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "q", "c", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "i", "c", MB_ICONINFORMATION), IDOK);
    ASSERT_EQ(fake::Boxes().size(), 3u);
    EXPECT_EQ(fake::Boxes()[0].answer, IDNO);
    EXPECT_FALSE(fake::Boxes()[0].owned);

    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_EQ(fake::CallCount("ChangeDisplaySettingsA"), 2);
    EXPECT_EQ(fake::CallCount("ChangeDisplaySettingsA(null)"), 1);
    EXPECT_EQ(fake::CallCount("ShowCursor(0)"), 1);
    EXPECT_EQ(fake::CallLog().front(), "RegisterClassA");
}

TEST_F(FakeTest, ClockAndSounds) {
    fake::SetSyncSoundLengthMs(500);
    fake::SetClockMs(1000.4);
    LARGE_INTEGER f{}, c{};
    ASSERT_TRUE(QueryPerformanceFrequency(&f));
    QueryPerformanceCounter(&c);
    EXPECT_EQ(f.QuadPart, 1000000);
    EXPECT_EQ(c.QuadPart, 1000400);
    fake::SetTimeGetTimeBase(0xFFFFFF00u);
    EXPECT_EQ(timeGetTime(), static_cast<DWORD>(0xFFFFFF00u + 1000u));
    PlaySoundA("a.wav", nullptr, SND_ASYNC);
    PlaySoundA("b.wav", nullptr, SND_SYNC);
    EXPECT_DOUBLE_EQ(fake::ClockMs(), 1500.4);
    ASSERT_EQ(fake::Sounds().size(), 2u);
    EXPECT_DOUBLE_EQ(fake::Sounds()[1].clockMs, 1000.4);
    fake::FailNext(fake::Op::QueryPerformanceFrequency);
    EXPECT_FALSE(QueryPerformanceFrequency(&f));
}

TEST_F(FakeTest, RecordsQuadsAndTextsPerFrame) {
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, tex);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(0, 8);
    glTexCoord2f(1, 0);
    glVertex2i(8, 8);
    glTexCoord2f(1, 1);
    glVertex2i(8, 0);
    glTexCoord2f(0, 1);
    glVertex2i(0, 0);
    glEnd();

    const GLuint base = glGenLists(96);
    wglUseFontBitmapsA(reinterpret_cast<HDC>(std::uintptr_t{1}), 32, 96, base);
    glRasterPos2d(10, 20);
    glListBase(base - 32);
    const unsigned char text[] = {'H', 'i', 200, '!'};
    glCallLists(4, GL_UNSIGNED_BYTE, text);
    glCallLists(1, GL_UNSIGNED_BYTE, "?");
    glRasterPos2i(5, 6);
    glCallLists(1, GL_UNSIGNED_BYTE, "x");

    const fake::Frame& f = fake::CurrentFrame();
    ASSERT_EQ(f.quads.size(), 1u);
    EXPECT_EQ(f.quads[0].texture, tex);
    EXPECT_TRUE(f.quads[0].textured);
    EXPECT_EQ(f.quads[0].v[1].x, 8);
    EXPECT_EQ(f.quads[0].v[1].y, 8);
    EXPECT_EQ(f.quads[0].v[2].t, 1);
    ASSERT_EQ(f.texts.size(), 2u);
    EXPECT_EQ(f.texts[0].text, "Hi!?");
    EXPECT_EQ(f.texts[0].x, 10);
    EXPECT_EQ(f.texts[1].text, "x");

    SwapBuffers(reinterpret_cast<HDC>(std::uintptr_t{1}));
    EXPECT_TRUE(fake::CurrentFrame().quads.empty());
    EXPECT_EQ(fake::LastFrame().texts.size(), 2u);
    EXPECT_EQ(fake::SwapCount(), 1);
    glDeleteLists(base, 96);
    EXPECT_EQ(fake::ListsAlive(), 0);
}

TEST_F(FakeTest, DibReaderFailsLikeThePlatformAndReadsPlaceholders) {
    fake::EnterTempDir();
    fake::StagePictures({"data/a.bmp"});
    fake::WriteFile("data/empty.bmp", "");
    fake::WriteFile("data/bad.bmp", "BAD");
    fake::WriteFile("data/odd.bmp", "SIZE 5 3");

    AUX_RGBImageRec* a = auxDIBImageLoadA("data/a.bmp");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->sizeX, 4);
    EXPECT_EQ(a->sizeY, 4);
    std::free(a->data);
    std::free(a);
    AUX_RGBImageRec* odd = auxDIBImageLoadA("data/odd.bmp");
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->sizeX, 5);
    EXPECT_EQ(odd->sizeY, 3);
    std::free(odd->data);
    std::free(odd);

    EXPECT_EQ(auxDIBImageLoadA("data/empty.bmp"), nullptr);
    EXPECT_EQ(auxDIBImageLoadA("data/bad.bmp"), nullptr);
    EXPECT_EQ(auxDIBImageLoadA("data/none.bmp"), nullptr);
    ASSERT_EQ(fake::Boxes().size(), 3u);
    EXPECT_EQ(fake::Boxes()[0].text, "Failed to open DIB file data/empty.bmp.\n");
    EXPECT_EQ(fake::Boxes()[0].caption, "Error");
    EXPECT_EQ(fake::Boxes()[0].type, MB_OK);
    EXPECT_EQ(fake::Boxes()[1].text, "Unknown DIB file format.");
    EXPECT_EQ(fake::Boxes()[2].text, "Failed to open DIB file data/none.bmp.\n");
    EXPECT_EQ(fake::DibPaths().size(), 5u);
}

}  // namespace
