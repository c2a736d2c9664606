// The main menu: five items chosen with the arrow keys and Enter, shown as
// pictures only.
#pragma once

// The menu's logic for one frame, while inMenu is set.
void MenuFrame();
// The menu screen, drawn by DrawScene while inMenu is set.
void DrawMenuScreen();
