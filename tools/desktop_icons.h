// The icons of the installed game's desktop entry: the program's icon at the sizes of the icon
// theme's folders, written as PNG files with alpha in the theme's layout.
#pragma once

#include <string>

#include "tools/picture.h"

namespace assets {

constexpr int kDesktopIconSizes[] = {16, 32, 48, 64, 128, 256};

// The program's icon at `size` pixels: whole multiples of 32 grow by whole pixels as the
// program's icon does; other sizes give each pixel the area-weighted mean of the marker pixels
// it covers, colours weighted by their alpha so the clear ground does not darken the edges.
Picture DesktopIcon(int size);

// Writes FOLDER/<size>x<size>/apps/pokutan.png for every size; false with a reason in `error`.
bool WriteDesktopIcons(const std::string& folder, std::string& error);

}  // namespace assets
