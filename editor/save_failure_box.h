#pragma once

#include <string>

// The text that tells the user a map was not saved: where to, and why (the
// system's words for the errno value).
std::string SaveFailureText(const char* path, int error);

// S and a slot digit: saves the editor's grid to mapSlot; when the map could
// not be saved, a box says where and why. The old file is left as it was.
void SaveMapOrTell();
