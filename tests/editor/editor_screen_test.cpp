// The editor's frame as drawn: every cell's picture, the cursor picture, the
// slanted panel picture and the panel texts, read from the fake's GL record.
#include "tests/editor/editor_fixture.h"

namespace editor_test {
namespace {

// Texture entries by cell code, away from and under the cursor. Codes outside
// 0 to 4 show as Empty.
int NormalEntry(std::int32_t code) {
    switch (code) {
        case Wall: return 5;
        case Item: return 6;
        case Snake1: return 7;
        case Snake2: return 8;
        default: return 9;
    }
}

int CursorEntry(std::int32_t code) { return code >= 1 && code <= 4 ? code : 0; }

constexpr int kPanelEntry = 10;

void ExpectVertex(const fake::Vertex& v, float x, float y, float s, float t) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, 0.0f);
    EXPECT_FLOAT_EQ(v.s, s);
    EXPECT_FLOAT_EQ(v.t, t);
}

const fake::Quad& CellQuad(const fake::Frame& frame, int x, int y) {
    return frame.quads.at(static_cast<std::size_t>(y * kMapSize + x));
}

void ExpectCellEntry(const fake::Frame& frame, int x, int y, int entry) {
    EXPECT_EQ(CellQuad(frame, x, y).texture, TextureTable[entry])
        << "cell (" << x << ", " << y << ") should show entry " << entry;
}

struct ExpectedText {
    double y;
    std::string text;
};

std::vector<ExpectedText> Texts(const fake::Frame& frame) {
    std::vector<ExpectedText> texts;
    for (const fake::Text& t : frame.texts) {
        EXPECT_DOUBLE_EQ(t.x, 490.0) << t.text;
        texts.push_back({t.y, t.text});
    }
    return texts;
}

bool operator==(const ExpectedText& a, const ExpectedText& b) {
    return a.y == b.y && a.text == b.text;
}

void PrintTo(const ExpectedText& t, std::ostream* out) { *out << t.y << " \"" << t.text << "\""; }

// Captures the frame drawn after everything pushed so far has acted.
void CaptureNextFrame(fake::Frame& into) {
    fake::PushFrames(1);
    At([&into] { into = fake::LastFrame(); });
}

TEST_F(EditorTest, FirstFrameDrawsEveryCellThePanelPictureAndTheTexts) {
    MapGrid grid = WalledGrid();
    grid.at(1, 1) = Wall;  // under the cursor
    grid.at(2, 1) = Item;
    grid.at(3, 1) = Snake1;
    grid.at(4, 1) = Snake2;
    grid.at(5, 1) = 7;
    grid.at(6, 1) = -3;
    grid.at(59, 59) = Item;
    WriteMap("Data/maps/mapdefault", grid);
    fake::Frame frame;
    CaptureNextFrame(frame);
    Run();

    EXPECT_EQ(frame.clears, 1);
    ASSERT_EQ(frame.quads.size(), 3601u) << "3600 cells, then the panel picture";
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            SCOPED_TRACE(::testing::Message() << "cell (" << x << ", " << y << ")");
            const fake::Quad& q = CellQuad(frame, x, y);
            const bool cursor = x == 1 && y == 1;
            const std::int32_t code = grid.at(x, y);
            EXPECT_EQ(q.texture, TextureTable[cursor ? CursorEntry(code) : NormalEntry(code)]);
            EXPECT_TRUE(q.textured);
            const float l = 8.0f * x, r = l + 8.0f, t = 8.0f * y, b = t + 8.0f;
            ExpectVertex(q.v[0], l, b, 0, 0);
            ExpectVertex(q.v[1], r, b, 1, 0);
            ExpectVertex(q.v[2], r, t, 1, 1);
            ExpectVertex(q.v[3], l, t, 0, 1);
        }
    }
    const fake::Quad& panel = frame.quads.back();
    EXPECT_EQ(panel.texture, TextureTable[kPanelEntry]);
    EXPECT_TRUE(panel.textured);
    ExpectVertex(panel.v[0], 483, 70, 0, 0);
    ExpectVertex(panel.v[1], 637, 70, 1, 0);
    ExpectVertex(panel.v[2], 637, 20, 1, 1);
    ExpectVertex(panel.v[3], 480, 20, 0, 1);  // the slanted left edge

    const std::vector<ExpectedText> expected = {
        {100, "X-Pos =  2"},
        {120, "Y-Pos =  2"},
        {160, "(N)ew"},
        {180, "(L)oad"},
        {200, "(S)ave"},
        {465, "(H)elp"},
    };
    EXPECT_EQ(Texts(frame), expected);
}

TEST_F(EditorTest, CursorPictureMovesWithTheCursor) {
    MapGrid grid;
    grid.at(1, 1) = Wall;
    grid.at(2, 1) = Item;
    grid.at(3, 1) = Snake1;
    grid.at(4, 1) = Snake2;
    grid.at(5, 1) = 7;
    grid.at(6, 1) = Empty;
    grid.at(6, 2) = Wall;
    WriteMap("Data/maps/mapdefault", grid);
    std::vector<fake::Frame> frames(7);
    for (int x = 2; x <= 6; ++x) {
        Press(VK_RIGHT);
        CaptureNextFrame(frames[x]);
    }
    Press(VK_DOWN);
    fake::Frame down;
    CaptureNextFrame(down);
    Run();
    for (int x = 2; x <= 6; ++x) {
        SCOPED_TRACE(::testing::Message() << "cursor on (" << x << ", 1)");
        ExpectCellEntry(frames[x], x, 1, CursorEntry(grid.at(x, 1)));
        ExpectCellEntry(frames[x], x - 1, 1, NormalEntry(grid.at(x - 1, 1)));
        ExpectCellEntry(frames[x], x + 1, 1, NormalEntry(grid.at(x + 1, 1)));
    }
    ExpectCellEntry(down, 6, 2, CursorEntry(Wall));
    ExpectCellEntry(down, 6, 1, NormalEntry(Empty));
}

TEST_F(EditorTest, EditedCellShowsItsNewPictureUnderTheCursor) {
    struct Step {
        int key;
        int entry;
    };
    const std::vector<Step> steps = {
        {VK_SPACE, CursorEntry(Wall)},
        {VK_SPACE, CursorEntry(Item)},
        {Digit(2), CursorEntry(Snake2)},
        {Digit(1), CursorEntry(Snake1)},
        {VK_SPACE, CursorEntry(Empty)},
    };
    std::vector<fake::Frame> frames(steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        Press(steps[i].key);
        CaptureNextFrame(frames[i]);
    }
    Run();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectCellEntry(frames[i], 1, 1, steps[i].entry);
    }
}

struct PanelCase {
    const char* name;
    std::vector<int> keys;  // pressed in turn
    int repeatRight, repeatDown;
    std::vector<ExpectedText> texts;
};

void PrintTo(const PanelCase& c, std::ostream* out) { *out << c.name; }

class PanelTest : public EditorTest, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(PanelTest, ShowsCoordinatesPlusOneAndTheOpenPrompt) {
    for (int i = 0; i < GetParam().repeatRight; ++i) {
        fake::PushKeyDown(VK_RIGHT);
        fake::PushFrames(1);
    }
    for (int i = 0; i < GetParam().repeatDown; ++i) {
        fake::PushKeyDown(VK_DOWN);
        fake::PushFrames(1);
    }
    for (int vk : GetParam().keys) {
        Press(vk);
    }
    fake::Frame frame;
    CaptureNextFrame(frame);
    Run();
    EXPECT_EQ(Texts(frame), GetParam().texts);
}

const std::vector<ExpectedText> kCommandLines = {
    {160, "(N)ew"}, {180, "(L)oad"}, {200, "(S)ave"}, {465, "(H)elp"}};

std::vector<ExpectedText> PanelTexts(const std::string& x,
                                     const std::string& y,
                                     const char* heading = nullptr) {
    std::vector<ExpectedText> texts = {{100, "X-Pos = " + x}, {120, "Y-Pos = " + y}};
    texts.insert(texts.end(), kCommandLines.begin(), kCommandLines.end());
    if (heading != nullptr) {
        const std::vector<ExpectedText> prompt = {{240, heading},
                                                  {270, "1: Map1"},
                                                  {290, "2: Map2"},
                                                  {310, "3: Map3"},
                                                  {330, "4: Map4"},
                                                  {350, "5: Map5"},
                                                  {380, "0: Abort"}};
        texts.insert(texts.end(), prompt.begin(), prompt.end());
    }
    return texts;
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    PanelTest,
    ::testing::Values(PanelCase{"LastOneDigitValue", {}, 7, 0, PanelTexts(" 9", " 2")},
                      PanelCase{"FirstTwoDigitValue", {}, 8, 0, PanelTexts("10", " 2")},
                      PanelCase{"FarCorner", {}, 60, 60, PanelTexts("59", "59")},
                      PanelCase{"LoadPrompt", {kKeyL}, 0, 3, PanelTexts(" 2", " 5", "Load map:")},
                      PanelCase{"SavePrompt", {kKeyS}, 0, 0, PanelTexts(" 2", " 2", "Save as:")},
                      PanelCase{"AbortedPrompt", {kKeyS, Digit(0)}, 0, 0, PanelTexts(" 2", " 2")},
                      PanelCase{"AnsweredPrompt", {kKeyL, Digit(3)}, 0, 0, PanelTexts(" 2", " 2")}),
    [](const auto& info) { return info.param.name; });

// A minimized window shows nothing new: frames go on, with swaps but no
// drawing, and drawing comes back with the window.
TEST_F(EditorTest, MinimizedWindowSwapsWithoutDrawing) {
    const WPARAM minimized = (WPARAM{1} << 16) | WA_ACTIVE;
    fake::PushMessage(WM_ACTIVATE, minimized);
    fake::Frame hidden;
    CaptureNextFrame(hidden);
    int swapsWhileHidden = 0;
    At([&] { swapsWhileHidden = fake::SwapCount(); });
    fake::PushMessage(WM_ACTIVATE, WA_ACTIVE);
    fake::Frame shown;
    CaptureNextFrame(shown);
    Run();
    EXPECT_EQ(swapsWhileHidden, 1);
    EXPECT_EQ(hidden.clears, 0);
    EXPECT_TRUE(hidden.quads.empty());
    EXPECT_TRUE(hidden.texts.empty());
    EXPECT_EQ(shown.quads.size(), 3601u);
}

}  // namespace
}  // namespace editor_test
