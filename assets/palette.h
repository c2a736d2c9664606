// The one palette every picture of the data tree is painted from, so that the
// menu, the playfield and the editor read as one game.
#pragma once

#include "assets/image.h"

namespace palette {

// Backgrounds, from the darkest (the playfield's black) up to raised panels.
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kInk{10, 12, 28};
constexpr Rgb kNight{20, 26, 56};
constexpr Rgb kDusk{40, 50, 100};
constexpr Rgb kSteel{96, 112, 172};
constexpr Rgb kMist{170, 182, 226};

// Accents and text.
constexpr Rgb kGold{255, 204, 64};
constexpr Rgb kAmber{232, 140, 24};
constexpr Rgb kCream{250, 246, 232};

// The playfield's cells: player 1 green, player 2 blue, items red, walls stone.
constexpr Rgb kGreenLight{170, 250, 150};
constexpr Rgb kGreen{84, 214, 84};
constexpr Rgb kGreenDeep{26, 120, 44};
constexpr Rgb kBlueLight{160, 214, 255};
constexpr Rgb kBlue{64, 150, 255};
constexpr Rgb kBlueDeep{24, 70, 190};
constexpr Rgb kRedLight{255, 190, 190};
constexpr Rgb kRed{236, 52, 70};
constexpr Rgb kRedDeep{140, 16, 36};
constexpr Rgb kStoneLight{196, 196, 216};
constexpr Rgb kStone{140, 140, 168};
constexpr Rgb kStoneDeep{70, 70, 98};

// The editor's cursor frame, a colour no cell uses.
constexpr Rgb kCursor{255, 230, 40};

}  // namespace palette
