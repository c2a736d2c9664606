// The desktop's icons of the game and the editor: a snake on a rounded tile,
// the editor's with the cursor frame around the item. Painted at any size
// from one layout, with transparent corners.
#pragma once

#include "assets/png_writer.h"

RgbaImage PaintGameIcon(int size);
RgbaImage PaintEditorIcon(int size);
