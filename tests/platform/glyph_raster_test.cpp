// The glyphs the font lists are built from: bold "Courier New" (or the
// installed face fontconfig maps it to) at a character height of 20 pixels.

#include "platform/glyph_raster.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const FontRequest kGameFont = {-20, 700, false, "Courier New"};

int SetPixels(const GlyphBitmap& glyph) {
    int count = 0;
    for (unsigned char byte : glyph.bits) {
        count += __builtin_popcount(byte);
    }
    return count;
}

std::vector<GlyphBitmap> Glyphs(const FontRequest& font, unsigned first, unsigned count) {
    std::vector<GlyphBitmap> glyphs;
    EXPECT_TRUE(RasteriseGlyphs(font, first, count, glyphs));
    EXPECT_EQ(glyphs.size(), count);
    return glyphs;
}

TEST(GlyphRaster, TheGameFontIsFound) { EXPECT_FALSE(FindFontFile(kGameFont).empty()); }

// One list per code from 32 to 127, each glyph on the same fixed pitch.
TEST(GlyphRaster, EveryTextCodeAdvancesByTheSamePitch) {
    const auto glyphs = Glyphs(kGameFont, 32, 96);
    const int pitch = glyphs['M' - 32].advance;
    EXPECT_GE(pitch, 10);
    EXPECT_LE(pitch, 14);  // Courier New's advance is 0.6 of the height
    for (const GlyphBitmap& glyph : glyphs) {
        EXPECT_EQ(glyph.code, static_cast<unsigned>(&glyph - glyphs.data()) + 32);
        EXPECT_EQ(glyph.advance, pitch) << glyph.code;
        EXPECT_EQ(glyph.bits.size(), static_cast<std::size_t>((glyph.width + 7) / 8 * glyph.height))
            << glyph.code;
    }
}

TEST(GlyphRaster, GlyphsStandOnTheBaselineAtTheirHeight) {
    const auto glyphs = Glyphs(kGameFont, 32, 96);
    const GlyphBitmap& m = glyphs['M' - 32];
    // A capital's height is about two thirds of the character height.
    EXPECT_GE(m.height, 11);
    EXPECT_LE(m.height, 16);
    EXPECT_EQ(m.top, m.height);  // bottom row on the baseline
    const GlyphBitmap& g = glyphs['g' - 32];
    EXPECT_LT(g.top - g.height, -2);  // the descender hangs below it
    // From the highest ascender to the lowest descender: the character height.
    int highest = 0;
    int lowest = 0;
    for (const GlyphBitmap& glyph : glyphs) {
        if (glyph.height > 0) {
            highest = std::max(highest, glyph.top);
            lowest = std::min(lowest, glyph.top - glyph.height);
        }
    }
    EXPECT_GE(highest - lowest, 17);
    EXPECT_LE(highest - lowest, 24);
}

int InkOf(const std::vector<GlyphBitmap>& glyphs) {
    int ink = 0;
    for (const GlyphBitmap& glyph : glyphs) {
        ink += SetPixels(glyph);
    }
    return ink;
}

TEST(GlyphRaster, BoldIsHeavierThanRegular) {
    FontRequest regular = kGameFont;
    regular.weight = 400;
    EXPECT_GT(InkOf(Glyphs(kGameFont, 33, 94)), InkOf(Glyphs(regular, 33, 94)) * 13 / 10);
    // Every row of the bold 'M' has strokes at least two pixels wide.
    const auto bold = Glyphs(kGameFont, 'M', 1);
    const GlyphBitmap& m = bold[0];
    const int rowBytes = (m.width + 7) / 8;
    auto set = [&](int x, int row) {
        return (m.bits[row * rowBytes + x / 8] & (0x80 >> (x % 8))) != 0;
    };
    for (int row = 0; row < m.height; ++row) {
        int x = 0;
        while (x < m.width && !set(x, row)) {
            ++x;
        }
        EXPECT_TRUE(x + 1 < m.width && set(x + 1, row)) << "row " << row;
    }
}

TEST(GlyphRaster, BlankAndMissingGlyphsStillAdvance) {
    const auto glyphs = Glyphs(kGameFont, 32, 96);
    for (unsigned code : {32u, 127u}) {  // space, and a code without a glyph
        const GlyphBitmap& glyph = glyphs[code - 32];
        EXPECT_EQ(glyph.advance, glyphs['M' - 32].advance) << code;
        EXPECT_EQ(SetPixels(glyph), 0) << code;
    }
}

// Codes above 127 are read as the ANSI code page: 0x80 is the euro sign.
TEST(GlyphRaster, HighCodesFollowTheAnsiPage) {
    const auto ansi = Glyphs(kGameFont, 0x80, 1);
    const auto unicode = Glyphs(kGameFont, 0x20AC, 1);
    EXPECT_GT(SetPixels(ansi[0]), 0);
    EXPECT_EQ(ansi[0].bits, unicode[0].bits);
    EXPECT_EQ(ansi[0].left, unicode[0].left);
    EXPECT_EQ(ansi[0].top, unicode[0].top);
}

TEST(GlyphRaster, SizesFollowWindowsHeightRules) {
    // A positive height is the cell (ascent plus descent), so the same number
    // gives smaller glyphs than a negative one, the em height.
    const auto em = Glyphs({-20, 700, false, "Courier New"}, 'M', 1);
    const auto cell = Glyphs({20, 700, false, "Courier New"}, 'M', 1);
    const auto fallback = Glyphs({0, 0, false, ""}, 'M', 1);
    EXPECT_LT(cell[0].height, em[0].height);
    EXPECT_GT(fallback[0].height, 0);
}

TEST(GlyphRaster, RefusesRangesBeyondUnicode) {
    std::vector<GlyphBitmap> glyphs;
    EXPECT_FALSE(RasteriseGlyphs(kGameFont, 0x10FFFF, 2, glyphs));
    EXPECT_FALSE(RasteriseGlyphs(kGameFont, 0xFFFFFFFFu, 2, glyphs));
    EXPECT_TRUE(glyphs.empty());
}

}  // namespace
