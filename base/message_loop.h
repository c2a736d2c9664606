// The main loop that both programs run: one window message or one frame per
// pass, nothing waiting for time to pass.
#pragma once

#include "platform/platform.h"

// Runs passes until quit is set. Each pass takes at most one pending message,
// without waiting, and dispatches it to the window procedure; WM_QUIT sets
// quit instead. A pass that finds no message runs one frame. Returns false as
// soon as a frame does (an F1 switch that could not rebuild the window), in
// which case the program must end at once. lastMessage receives the last
// message taken.
bool RunMessageLoop(bool& quit, bool (*runFrame)(), MSG& lastMessage);

// The first step of every frame, so that it shows what the previous frame's
// logic left: the scene drawn through drawScene unless the window is
// minimized, then the buffer swap. A scene that cannot be drawn sets quit.
void ShowFrame(bool (*drawScene)(), bool& quit);
