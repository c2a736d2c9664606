// trevla_previews TREE: redraws the menu's map previews of TREE from the maps
// in TREE/Data/maps, so each shows the map the game will load. An installed
// game's launcher runs it in the player's own tree at every start.
#include <cstdio>
#include <exception>
#include <string>

#include "assets/data_tree.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s TREE-DIRECTORY\n", argv[0]);
        return 2;
    }
    std::string error;
    try {
        if (DrawMapPreviews(argv[1], error)) return 0;
    } catch (const std::exception& e) {
        error = e.what();
    }
    std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
    return 1;
}
