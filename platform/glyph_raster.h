// Bitmap glyphs of a system font, found by fontconfig and rasterised by
// FreeType into 1-bit bitmaps ready for glBitmap. Pure: no GL, no display,
// so tests can look at the glyphs that the font lists are built from.
#pragma once

#include <string>
#include <vector>

// A font as CreateFontA describes it.
struct FontRequest {
    int height = 0;  // < 0: character (em) height in pixels; > 0: cell height; 0: default
    int weight = 0;  // 100 to 900 (700 bold); 0 means normal
    bool italic = false;
    std::string face;  // family name; fontconfig picks the nearest installed match
};

// One glyph, placed relative to the pen position on the baseline.
struct GlyphBitmap {
    unsigned code = 0;
    int width = 0;    // pixels per row
    int height = 0;   // rows
    int left = 0;     // pen position to the left edge of the bitmap
    int top = 0;      // baseline up to the top row of the bitmap
    int advance = 0;  // pen movement to the next glyph
    // 1-bit rows of (width + 7) / 8 bytes, bottom row first, the leftmost
    // pixel in the high bit: glBitmap's layout with an unpack alignment of 1.
    std::vector<unsigned char> bits;
};

// The font file fontconfig chooses for the request; empty when none.
std::string FindFontFile(const FontRequest& font);

// Rasterises `count` character codes from `first` (Windows ANSI codes below
// 256, Unicode above). A code the font has no glyph for gets an empty bitmap
// that still advances. False when no font could be found or read.
bool RasteriseGlyphs(const FontRequest& font,
                     unsigned first,
                     unsigned count,
                     std::vector<GlyphBitmap>& glyphs);
