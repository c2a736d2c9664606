#pragma once

// The text of the help box: twelve lines joined by CR LF, an empty line before
// the third and the fourth, no line break at the end.
extern const char* const kHelpText;

// Shows the modal help box; returns when the user has closed it.
void ShowHelpBox();
