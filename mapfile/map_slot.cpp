#include "mapfile/map_file.h"

// Alone in its file so that the game links it without the editor's grid.
MapSlot mapSlot = 1;
