// pokutan_assets: writes the game's Resource/ tree below the run folder given as its argument,
// or, with --icon-source, the C++ source of the program's icon that the executable links, or,
// with --icon-file, the program's icon as the .ico file of the Windows build, or, with
// --desktop-icons, the installed game's icons in an icon theme's folders.
#include <cstdio>
#include <string>

#include "tools/desktop_icons.h"
#include "tools/program_icon.h"
#include "tools/resource_tree.h"

int main(int argc, char** argv) {
    std::string error;
    bool written = false;
    if (argc == 2) {
        written = assets::WriteResourceTree(argv[1], error);
    } else if (argc == 3 && std::string(argv[1]) == "--icon-source") {
        written = assets::WriteProgramIconSource(argv[2], error);
    } else if (argc == 3 && std::string(argv[1]) == "--icon-file") {
        written = assets::WriteProgramIconFile(argv[2], error);
    } else if (argc == 3 && std::string(argv[1]) == "--desktop-icons") {
        written = assets::WriteDesktopIcons(argv[2], error);
    } else {
        std::fprintf(stderr,
                     "usage: pokutan_assets RUN_FOLDER | --icon-source FILE | --icon-file FILE | "
                     "--desktop-icons FOLDER\n");
        return 2;
    }
    if (!written) {
        std::fprintf(stderr, "pokutan_assets: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
