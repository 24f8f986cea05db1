// The program's icon: the player's marker on a clear ground, at 32 x 32 and scaled by whole
// pixels to 64 x 64. For the Linux build it is written as a C++ source that the executable
// links; the source registers the pictures as icon resource 101, standing in for the .exe's
// resource script. For the Windows build it is written as the .ico file that script names.
#pragma once

#include <string>

#include "tools/picture.h"

namespace assets {

constexpr int kProgramIconResource = 101;
constexpr int kProgramIconSizes[] = {32, 64};

// The icon at `size` (a whole multiple of the 32-pixel marker); ARGB with straight alpha, so
// unlike the textures its clear pixels are 0x00000000, not magenta.
Picture ProgramIcon(int size);

// The whole source text; the same every time.
std::string ProgramIconSource();

// False with a reason in `error` when the file cannot be written.
bool WriteProgramIconSource(const std::string& path, std::string& error);

// The icon's pictures as an .ico file, all sizes.
std::string ProgramIconFile();
bool WriteProgramIconFile(const std::string& path, std::string& error);

}  // namespace assets
