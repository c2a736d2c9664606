// The editor's program-wide state besides its grid and mapSlot, which live
// with the map files: the cursor, the two prompts, the key latches and the
// end-of-loop request.
#pragma once

#include <cstdint>

// The cursor cell; both stay within 1 to 58, so the outer ring of the grid is
// never edited.
constexpr std::int32_t kCursorMin = 1;
constexpr std::int32_t kCursorMax = 58;

extern std::int32_t cursorX;
extern std::int32_t cursorY;

// At most one prompt is open at a time.
extern bool loadPrompt;
extern bool savePrompt;

// Set while the current press of SPACE or H has already acted.
extern bool spaceLatch;
extern bool helpLatch;

// The loop ends before its next pass.
extern bool quitRequested;

// Puts the cursor, prompts, latches, quitRequested, the editor's grid and
// mapSlot back to their start values (used between whole-program runs in one
// test process).
void ResetEditorState();
