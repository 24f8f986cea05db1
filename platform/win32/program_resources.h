// The program's own resources: what a Windows linker puts into the .exe from its resource
// script. The executable (or a source generated for it) registers them before WinMain runs,
// and LoadIconA and LoadImageA serve them; the layer never knows what they show.
// An icon resource is a group of pictures of different sizes, like an .ico file.
#pragma once

#include <cstdint>
#include <vector>

#include "windows.h"

namespace platform::win32 {

struct IconPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // straight alpha, row by row
};

// Adds one picture to icon resource `id`; the pixels are copied. False for a bad size or id.
bool RegisterIconResource(int id, int width, int height, const uint32_t* argb);

// The pictures registered for `id`, empty when the program has no such resource.
std::vector<const IconPicture*> IconResource(int id);

// An icon handle's picture; null for unknown handles and the stock icon, which has none.
const IconPicture* IconPictureOf(HICON icon);

}  // namespace platform::win32
