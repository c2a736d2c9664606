#include "editor/editor_main.h"

int main() { return EditorMain(); }
