// The painters of every picture in the data tree. Each returns a finished
// picture with power-of-two sides; the text ones need the picture font open.
#pragma once

#include "assets/image.h"

struct MapGrid;

// Playfield cells, 8 by 8: the size they are drawn at, so nothing blurs.
Image PaintWallCell();
Image PaintItemCell();
Image PaintSnakeCell(int player);  // 1 green, 2 blue
// The editor's cells: an empty cell that shows the grid, and the cursor
// version of each cell code 0 to 4.
Image PaintEmptyCell();
Image PaintCursorCell(int cellCode);

// Side panels.
Image PaintPlayerLabel(int player);
Image PaintGamePanelHeader();
Image PaintEditorPanelHeader();

// Main menu.
Image PaintMenuHeader();
Image PaintPreviewFrame();
Image PaintInfoPanel();
Image PaintMenuButton(int item, bool selected);  // item 1 to 5
Image PaintOnePlayerPreview();
Image PaintTwoPlayerPreview();
Image PaintSpeedPreview(int level);  // 1 to 3
Image PaintLoadingScreen();

// The preview of map slot 1 to 5, drawn from the grid it stands for.
Image PaintMapPreview(int slot, const MapGrid& grid);
