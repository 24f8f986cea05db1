// pokutan_assets: writes the game's Resource/ tree below the run folder given as its argument.
#include <cstdio>
#include <string>

#include "tools/resource_tree.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pokutan_assets RUN_FOLDER\n");
        return 2;
    }
    std::string error;
    if (!assets::WriteResourceTree(argv[1], error)) {
        std::fprintf(stderr, "pokutan_assets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
