// The game's main loop: one window message or one frame per pass.
#pragma once

#include "platform/platform.h"

// Runs passes until quitRequested. Returns false when a fullscreen switch
// could not rebuild the window, in which case the program must end at once.
// lastMessage receives the last window message taken.
bool RunMainLoop(MSG& lastMessage);

// One frame: drawing, F1, then the logic blocks, each guarded by its flags.
// Returns false when F1 could not rebuild the window.
bool RunFrame();

// The passage from the loading picture into a new game, 2000 ms after it was
// asked for.
void CompleteLoading();
