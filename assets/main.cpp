// trevla_assets TREE MAPS: writes the data tree of both programs into TREE,
// copying from MAPS only the maps that TREE does not hold yet.
#include <cstdio>
#include <exception>
#include <string>

#include "assets/data_tree.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TREE-DIRECTORY MAP-SOURCE-DIRECTORY\n", argv[0]);
        return 2;
    }
    std::string error;
    try {
        if (GenerateDataTree(argv[1], argv[2], error)) return 0;
    } catch (const std::exception& e) {
        error = e.what();
    }
    std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
    return 1;
}
