// Message boxes by kind and WAV playback by mode.
#include "base/message.h"
#include "base/sound.h"
#include "tests/base/base_fixture.h"

namespace {

using basetest::BaseTest;

TEST_F(BaseTest, MessageKindsMapToTheirButtonsAndIcons) {
    struct Row {
        MessageKind kind;
        UINT type;
        int answerGiven;
    };
    const Row rows[] = {
        {MessageKind::Warning, MB_OK | MB_ICONWARNING, IDOK},
        {MessageKind::Stop, MB_OK | MB_ICONERROR, IDOK},
        {MessageKind::Information, MB_OK | MB_ICONINFORMATION, IDOK},
        {MessageKind::Question, MB_YESNO | MB_ICONWARNING, IDNO},
        {MessageKind::Plain, MB_OK, IDOK},
    };
    for (const Row& r : rows) fake::AnswerNextBox(r.answerGiven);
    for (const Row& r : rows) {
        EXPECT_EQ(ShowMessage("text", "caption", r.kind), r.answerGiven);
    }
    ASSERT_EQ(fake::Boxes().size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(fake::Boxes()[i].type, rows[i].type);
        EXPECT_FALSE(fake::Boxes()[i].owned);
        EXPECT_EQ(fake::Boxes()[i].text, "text");
        EXPECT_EQ(fake::Boxes()[i].caption, "caption");
    }
}

TEST_F(BaseTest, PlayWavPassesThePathAndOnlyTheModeFlag) {
    fake::SetSyncSoundLengthMs(300);
    PlayWav("Data/sounds/menu/menu.wav", WavMode::Async);
    PlayWav("Data/sounds/menu/buzzer.wav", WavMode::Blocking);
    ASSERT_EQ(fake::Sounds().size(), 2u);
    EXPECT_EQ(fake::Sounds()[0].path, "Data/sounds/menu/menu.wav");
    EXPECT_EQ(fake::Sounds()[0].flags, SND_ASYNC);
    EXPECT_EQ(fake::Sounds()[1].path, "Data/sounds/menu/buzzer.wav");
    EXPECT_EQ(fake::Sounds()[1].flags, SND_SYNC);
    EXPECT_EQ(fake::ClockMs(), 300) << "a blocking sound holds the program until it ends";
}

}  // namespace
