// The 8 by 8 cells of the playfield and the editor, painted pixel by pixel:
// at their drawn size every pixel shows, so each is laid out by hand.
#include "assets/palette.h"
#include "assets/pictures.h"

using namespace palette;

Image PaintWallCell() {
    // Two courses of bricks with mortar lines, so a wall run reads as masonry.
    return PixelArt(
        {
            "LLLdLLLL",
            "sssdssss",
            "sssdssss",
            "dddddddd",
            "LLLLLLLd",
            "sssssssd",
            "sssssssd",
            "dddddddd",
        },
        "Lsd",
        {kStoneLight, kStone, kStoneDeep});
}

Image PaintItemCell() {
    // A round red gem with a highlight, on the black of the field.
    return PixelArt(
        {
            "..rrrr..",
            ".rRwlRr.",
            "rRwlRRRr",
            "rRlRRRRr",
            "rRRRRRRr",
            "rRRRRRdr",
            ".rRRddr.",
            "..rrrr..",
        },
        ".rRlwd",
        {kBlack, kRedDeep, kRed, kRedLight, kCream, Mix(kRed, kRedDeep, 0.5f)});
}

Image PaintSnakeCell(int player) {
    // A bevelled scale: lit top and left, shaded bottom and right, so the
    // body shows its segments.
    const bool first = player == 1;
    return PixelArt(
        {
            "LLLLLLLd",
            "LGGGGGGd",
            "LGGGGGGd",
            "LGGddGGd",
            "LGGddGGd",
            "LGGGGGGd",
            "LGGGGGGd",
            "dddddddd",
        },
        "LGd",
        {first ? kGreenLight : kBlueLight, first ? kGreen : kBlue, first ? kGreenDeep : kBlueDeep});
}

Image PaintEmptyCell() {
    // Dark with a line on the top and left edge: side by side the cells draw
    // the editor's grid.
    return PixelArt(
        {
            "gggggggg",
            "g.......",
            "g.......",
            "g.......",
            "g.......",
            "g.......",
            "g.......",
            "g.......",
        },
        ".g",
        {kInk, Mix(kNight, kDusk, 0.6f)});
}

Image PaintCursorCell(int cellCode) {
    // The cell itself inside a bright frame, so the content under the cursor
    // stays visible.
    Image cell;
    switch (cellCode) {
        case 1: cell = PaintWallCell(); break;
        case 2: cell = PaintItemCell(); break;
        case 3: cell = PaintSnakeCell(1); break;
        case 4: cell = PaintSnakeCell(2); break;
        default: cell = Image(8, 8, kInk); break;
    }
    Image out(8, 8, kCursor);
    for (int y = 1; y < 7; ++y)
        for (int x = 1; x < 7; ++x) out.at(x, y) = cell.at(x, y);
    return out;
}
