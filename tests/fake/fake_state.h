// State shared by the fake's platform, GL and file parts. Not for tests:
// they use fake_platform.h.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/fake/fake_platform.h"

namespace fake::detail {

// Appends a platform call to CallLog().
void LogCall(std::string name);
// Appends a GL call to GlLog().
void LogGl(std::string text);

// Back to a fresh GL state (used by Reset).
void ResetGl();
// The context went away: its textures and display lists with it.
void DropGlObjects();
// SwapBuffers: the frame being drawn becomes the last frame.
void EndGlFrame();

// Glyph lists built by wglUseFontBitmapsA: list name -> character code.
void RegisterGlyphs(DWORD first, DWORD count, DWORD listBase);

// The paths that the DIB reader was asked for.
std::vector<std::string>& DibPathLog();

}  // namespace fake::detail
