#pragma once

// Runs the message and frame loop until quitRequested is set. False when an
// F1 switch could not make the new window: the program must end at once.
bool RunEditorLoop();

// One frame: the picture, F1, then the key commands in a fixed order. False
// as above.
bool RunEditorFrame();
