// The side panel's pictures of the game and the editor.
#include <string>

#include "assets/palette.h"
#include "assets/picture_kit.h"
#include "assets/pictures.h"

using namespace palette;

Image PaintPlayerLabel(int player) {
    // 128 by 32, drawn at that size: a body cell of the player's snake and
    // the name in the same colour, so the panel and the field match.
    Image image(128, 32, kBlack);
    const bool first = player == 1;
    const Rgb colour = first ? kGreen : kBlue;
    const Image cell = PaintSnakeCell(player);
    BlitScaled(image, cell, 4, 8, 2);
    const std::string name = first ? "PLAYER 1" : "PLAYER 2";
    const int size = FitTextSize(name, 19, 128 - 28);
    DrawText(image, 26, 16 + CapHeight(size) / 2.0f, name, LabelStyle(size, colour));
    FillRect(image, 26, 29, 26 + TextWidth(name, size), 31, first ? kGreenDeep : kBlueDeep);
    return image;
}

namespace {

// The panel header is drawn squeezed to about 157 by 50; painting it at that
// shape and resampling keeps the lettering in proportion once drawn.
Image PaintPanelHeader(const std::string& title) {
    Image image(200, 64, kBlack);
    DrawPanel(image, 2, 3, 198, 61, 12, kDusk, kNight, kGold, 2.5f);
    const int size = FitTextSize(title, 34, 170);
    DrawTextCentred(image, 100, 32, title, TitleStyle(size, 32 - size / 2.0f, 32 + size / 2.0f));
    return Resample(image, 256, 64);
}

}  // namespace

Image PaintGamePanelHeader() { return PaintPanelHeader("TREVLA"); }

Image PaintEditorPanelHeader() { return PaintPanelHeader("EDITOR"); }
