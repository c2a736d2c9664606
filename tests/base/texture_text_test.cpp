// Pictures into textures, the font lists, text and the fixed GL state.
#include <cstdio>
#include <string>

#include "tests/base/base_fixture.h"

namespace {

using basetest::BaseTest;
using basetest::kPictures;
using basetest::kTitle;

constexpr GLuint kUntouched = 77;

class TextureTableTest : public BaseTest {
protected:
    void SetUp() override {
        BaseTest::SetUp();
        table.fill(kUntouched);
    }
    std::array<GLuint, 3> table{};
};

TEST_F(TextureTableTest, LoadsEveryPictureIntoItsOwnName) {
    fake::WriteFile(kPictures[1], "SIZE 5 3");  // 3 x 5 is not a multiple of 4

    ASSERT_TRUE(LoadTextureTable(kPictures, table.data()));

    EXPECT_EQ(fake::TexturesGenerated(), 3);
    ASSERT_EQ(fake::Uploads().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NE(table[i], kUntouched);
        EXPECT_EQ(fake::Uploads()[i].texture, table[i]);
        EXPECT_EQ(fake::Uploads()[i].unpackAlignment, 1) << "rows are packed without gaps";
    }
    EXPECT_EQ(fake::Uploads()[1].width, 5);
    EXPECT_EQ(fake::Uploads()[1].height, 3);
    EXPECT_EQ(fake::UnpackAlignment(), 4) << "the default is back for everything else";
    EXPECT_EQ(fake::DibPaths(), std::vector<std::string>(kPictures.begin(), kPictures.end()));

    const auto& log = fake::GlLog();
    const std::vector<std::string> first = {
        "glBindTexture(GL_TEXTURE_2D," + std::to_string(table[0]) + ")",
        "glTexParameteri(GL_TEXTURE_2D,GL_TEXTURE_MAG_FILTER,GL_LINEAR)",
        "glTexParameteri(GL_TEXTURE_2D,GL_TEXTURE_MIN_FILTER,GL_LINEAR)",
        "glTexImage2D(GL_TEXTURE_2D,0,3,4,4,0,GL_RGB,GL_UNSIGNED_BYTE)",
    };
    ASSERT_GE(log.size(), 3 + first.size());
    EXPECT_EQ(log[0], "glGenTextures(3)");
    EXPECT_EQ(log[1], "glPixelStorei(GL_UNPACK_ALIGNMENT,1)");
    EXPECT_EQ(std::vector<std::string>(log.begin() + 2, log.begin() + 6), first);
    EXPECT_EQ(log.back(), "glPixelStorei(GL_UNPACK_ALIGNMENT,4)");
}

TEST_F(TextureTableTest, AllOrNothing) {
    struct Row {
        const char* name;
        size_t missing;
        size_t opened;  // files handed to the DIB reader
    };
    const Row rows[] = {{"first missing", 0, 0}, {"middle missing", 1, 1}, {"last missing", 2, 2}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SetUp();
        std::remove(kPictures[r.missing]);

        EXPECT_FALSE(LoadTextureTable(kPictures, table.data()));

        EXPECT_EQ(fake::DibPaths().size(), r.opened);
        EXPECT_EQ(fake::TexturesGenerated(), 0);
        EXPECT_TRUE(fake::Uploads().empty());
        EXPECT_EQ(table, (std::array<GLuint, 3>{kUntouched, kUntouched, kUntouched}));
        EXPECT_TRUE(fake::Boxes().empty()) << "a missing file shows no reader box";
    }
}

// Whatever the reader hands out, GL sees no picture it cannot take, and a
// failed upload leaves no texture behind.
TEST_F(TextureTableTest, APictureTheContextCannotTakeLoadsNothing) {
    struct Row {
        const char* name;
        const char* bytes;  // of the second picture
        GLenum uploadError;
        GLenum earlierError;  // pending before the loading starts
        bool loaded;
    };
    const Row rows[] = {
        {"as wide as the context takes", "SIZE 2048 3", GL_NO_ERROR, GL_NO_ERROR, true},
        {"wider than the context takes", "SIZE 2049 3", GL_NO_ERROR, GL_NO_ERROR, false},
        {"taller than the context takes", "SIZE 3 2049", GL_NO_ERROR, GL_NO_ERROR, false},
        {"upload out of memory", "SIZE 5 3", GL_OUT_OF_MEMORY, GL_NO_ERROR, false},
        {"upload refused", "SIZE 5 3", GL_INVALID_VALUE, GL_NO_ERROR, false},
        {"an earlier error is not the upload's", "SIZE 5 3", GL_NO_ERROR, GL_INVALID_ENUM, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SetUp();
        fake::WriteFile(kPictures[1], r.bytes);
        if (r.uploadError != GL_NO_ERROR) fake::FailNextUploads(r.uploadError);
        fake::SetPendingGlError(r.earlierError);

        EXPECT_EQ(LoadTextureTable(kPictures, table.data()), r.loaded);

        EXPECT_EQ(fake::DibPaths().size(), 3u);
        EXPECT_EQ(fake::UnpackAlignment(), 4);
        EXPECT_TRUE(fake::Boxes().empty()) << "the caller tells the user";
        if (r.loaded) {
            EXPECT_EQ(fake::TexturesAlive(), 3);
            EXPECT_EQ(fake::Uploads().size(), 3u);
            continue;
        }
        EXPECT_EQ(fake::TexturesAlive(), 0);
        EXPECT_EQ(table, (std::array<GLuint, 3>{kUntouched, kUntouched, kUntouched}));
        for (const fake::Upload& upload : fake::Uploads()) {
            EXPECT_LE(upload.width, 2048);
            EXPECT_LE(upload.height, 2048);
        }
        glGetError();  // the failure's own error, read by nobody else
    }
}

// A picture GL cannot take ends the start like a broken file, without the
// reader's box.
TEST_F(BaseTest, AFailedUploadEndsTheStartWithTheLoadingBoxes) {
    fake::FailNextUploads(GL_OUT_OF_MEMORY);

    EXPECT_FALSE(OpenGlWindow(kTitle, 640, 480, 16, false));

    std::vector<std::string> texts;
    for (const fake::Box& box : fake::Boxes()) texts.push_back(box.caption + ": " + box.text);
    EXPECT_EQ(texts,
              (std::vector<std::string>{"ERROR: Loading Textures failed.",
                                        "ERROR: Initialization Failed."}));
    EXPECT_EQ(fake::TexturesAlive(), 0);
    EXPECT_EQ(fake::ListsAlive(), 0);
    EXPECT_FALSE(fake::WindowExists());
}

TEST_F(TextureTableTest, BrokenPictureShowsTheReaderBoxThenEndsTheStart) {
    struct Row {
        const char* bytes;
        std::string readerText;
    };
    const Row rows[] = {
        {"", std::string("Failed to open DIB file ") + kPictures[2] + ".\n"},
        {"BAD header", "Unknown DIB file format."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.readerText);
        fake::Reset();
        ResetGlWindowState();
        fake::WriteFile(kPictures[2], r.bytes);

        EXPECT_FALSE(OpenGlWindow(kTitle, 640, 480, 16, false));

        const auto& boxes = fake::Boxes();
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[0].text, r.readerText);
        EXPECT_EQ(boxes[0].caption, "Error");
        EXPECT_EQ(boxes[0].type, MB_OK);
        EXPECT_TRUE(boxes[0].owned) << "the reader's box belongs to the focus window";
        EXPECT_EQ(boxes[1].text, "Loading Textures failed.");
        EXPECT_EQ(boxes[1].caption, "ERROR");
        EXPECT_EQ(boxes[1].type, MB_OK | MB_ICONWARNING);
        EXPECT_EQ(boxes[2].text, "Initialization Failed.");
        EXPECT_EQ(fake::TexturesGenerated(), 0);
        EXPECT_EQ(fake::CallCount("CreateFontA"), 0) << "no font after a failed load";
        EXPECT_EQ(fake::ListsAlive(), 0);
    }
}

TEST_F(BaseTest, InitGlStateSetsTheFixedStateAfterTexturesAndFont) {
    ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, false));

    EXPECT_TRUE(fake::GlEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(fake::GlEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(fake::GlEnabled(GL_BLEND));
    EXPECT_FALSE(fake::GlEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(fake::GlEnabled(GL_LIGHTING));
    EXPECT_EQ(fake::DepthFunc(), static_cast<GLenum>(GL_LEQUAL));
    EXPECT_EQ(fake::ShadeModel(), static_cast<GLenum>(GL_SMOOTH));
    EXPECT_EQ(fake::ClearColor(), (std::array<float, 4>{0, 0, 0, 0.5f}));
    EXPECT_EQ(fake::ClearDepth(), 1.0);
    EXPECT_EQ(fake::HintMode(GL_PERSPECTIVE_CORRECTION_HINT), static_cast<GLenum>(GL_NICEST));
    EXPECT_EQ(fake::UnpackAlignment(), 4);
    EXPECT_EQ(fake::CurrentColor(), (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(fake::TexturesAlive(), 3);
    for (size_t i = 0; i < kPictures.size(); ++i) EXPECT_NE(TextureTable[i], 0u);

    const std::vector<std::string> state = {
        "glEnable(GL_TEXTURE_2D)",
        "glShadeModel(GL_SMOOTH)",
        "glClearColor(0,0,0,0.5)",
        "glClearDepth(1)",
        "glEnable(GL_DEPTH_TEST)",
        "glDepthFunc(GL_LEQUAL)",
        "glHint(GL_PERSPECTIVE_CORRECTION_HINT,GL_NICEST)",
    };
    const auto& log = fake::GlLog();
    ASSERT_GE(log.size(), state.size());
    EXPECT_EQ(std::vector<std::string>(log.end() - static_cast<long>(state.size()), log.end()),
              state);
}

TEST_F(BaseTest, FontListsCoverCodes32To127InABoldFixedFace) {
    ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, false));
    const fake::FontRequest& font = fake::LastFont();
    EXPECT_EQ(font.height, -20);
    EXPECT_EQ(font.width, 0);
    EXPECT_EQ(font.weight, FW_BOLD);
    EXPECT_EQ(font.italic, 0u);
    EXPECT_EQ(font.underline, 0u);
    EXPECT_EQ(font.strikeOut, 0u);
    EXPECT_EQ(font.charSet, ANSI_CHARSET);
    EXPECT_EQ(font.outputPrecision, OUT_TT_PRECIS);
    EXPECT_EQ(font.clipPrecision, CLIP_DEFAULT_PRECIS);
    EXPECT_EQ(font.quality, ANTIALIASED_QUALITY);
    EXPECT_EQ(font.face, "Courier New");
    EXPECT_EQ(fake::ListsAlive(), 96);
    EXPECT_NE(fontBase, 0u);

    DeleteFontLists();
    EXPECT_EQ(fake::ListsAlive(), 0);
}

class PrintTextTest : public BaseTest {
protected:
    void SetUp() override {
        BaseTest::SetUp();
        ASSERT_TRUE(OpenGlWindow(kTitle, 640, 480, 16, false));
        SwapBuffers(glWindow.deviceContext);  // start a clean frame record
    }
    const std::vector<fake::Text>& Texts() { return fake::CurrentFrame().texts; }
};

TEST_F(PrintTextTest, FormatsByPrintfRules) {
    struct Row {
        std::string drawn;
        std::string expected;
    };
    const auto draw = [this](auto&&... args) {
        SwapBuffers(glWindow.deviceContext);
        glRasterPos2d(500, 100);
        PrintText(args...);
        return Texts().empty() ? std::string("<none>") : Texts()[0].text;
    };
    const Row rows[] = {
        {draw("%2i", 5), " 5"},
        {draw("%2i", 12), "12"},
        {draw("Player %i: %s", 2, "Dead"), "Player 2: Dead"},
        {draw("Press SPACE to return to Menu"), "Press SPACE to return to Menu"},
        {draw("100%%"), "100%"},
    };
    for (const Row& r : rows) EXPECT_EQ(r.drawn, r.expected);
}

TEST_F(PrintTextTest, DrawsAtTheRasterPositionWithTexturingOffThenOn) {
    glDisable(GL_TEXTURE_2D);
    const GLuint before = fake::ListBase();
    glRasterPos2d(510, 60);
    PrintText("Lives: %i", 3);
    PrintText("!");  // continues the line

    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text, "Lives: 3!");
    EXPECT_EQ(Texts()[0].x, 510);
    EXPECT_EQ(Texts()[0].y, 60);
    EXPECT_TRUE(fake::GlEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(fake::ListBase(), before);

    const auto& log = fake::GlLog();
    const std::vector<std::string> expected = {"glDisable(GL_TEXTURE_2D)",
                                               "glPushAttrib(" + std::to_string(GL_LIST_BIT) + ")",
                                               "glListBase(" + std::to_string(fontBase - 32) + ")",
                                               "glCallLists(8,GL_UNSIGNED_BYTE)",
                                               "glPopAttrib()",
                                               "glEnable(GL_TEXTURE_2D)"};
    ASSERT_GE(log.size(), 2 + expected.size());
    EXPECT_EQ(std::vector<std::string>(log.begin() + 2, log.begin() + 8), expected);
}

TEST_F(PrintTextTest, LongTextIsCutAt255Characters) {
    const std::string longText(1000, 'x');
    glRasterPos2d(0, 20);
    PrintText("%s-tail", longText.c_str());
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text, std::string(255, 'x'));
    EXPECT_TRUE(fake::GlEnabled(GL_TEXTURE_2D));
}

TEST_F(PrintTextTest, CharactersOutsideTheFontDrawNothing) {
    glRasterPos2d(0, 20);
    PrintText(
        "a\x7f\x80\xff\x1f"
        "b");
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text,
              "a\x7f"
              "b");
}

}  // namespace
