// Text in pictures, rendered with FreeType from DejaVu Sans Bold (Debian's
// fonts-dejavu-core), found through fontconfig. One fixed face keeps the
// generated pictures the same bytes on every run.
#pragma once

#include <string>
#include <string_view>

#include "assets/image.h"

// Opens the face; false with a message naming the missing package when the
// font is not installed. Closed again by ClosePictureFont.
bool OpenPictureFont(std::string& error);
void ClosePictureFont();

// Closes the face when it leaves scope, on every way out of the generator.
struct PictureFontScope {
    ~PictureFontScope() { ClosePictureFont(); }
};

struct TextStyle {
    int size = 20;  // pixel size of the em square
    Paint fill = Solid({255, 255, 255});
    float outline = 0;  // width of the outline around the glyphs, 0 for none
    Rgb outlineColour{};
    int shadowX = 0;  // drop shadow offset, 0 and 0 for none
    int shadowY = 0;
    Rgb shadowColour{};
};

// Advance width of the text in pixels.
int TextWidth(std::string_view utf8, int size);
// Height of a capital letter above the baseline, for centring text in a box.
int CapHeight(int size);
// The largest size up to maxSize at which the text fits in maxWidth.
int FitTextSize(std::string_view utf8, int maxSize, int maxWidth);

// Draws the text with its baseline at y, starting at x.
void DrawText(Image& image, float x, float baseline, std::string_view utf8, const TextStyle& style);
// Draws the text centred on centreX, capitals centred on middleY.
void DrawTextCentred(
    Image& image, float centreX, float middleY, std::string_view utf8, const TextStyle& style);
