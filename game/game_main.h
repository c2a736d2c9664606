#pragma once

// The game program: start-up, the main loop and the exit. Returns the exit
// code.
int GameMain();
