#pragma once

// The editor program: start-up, the loop and the end. Always 0.
int EditorMain();
