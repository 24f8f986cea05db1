// The mip chain of a texture: level 0 as given, then each level half the size of the one above
// (rounded down, at least 1), each pixel the box-filtered average of the 2 x 2 pixels it covers
// (2 x 1 or 1 x 2 once a side is down to 1; an odd side averages the area each pixel covers).
#pragma once

#include <vector>

#include "d3dx9/image.h"

namespace platform::d3dx9 {

// How many levels a full chain of that size has, down to 1 x 1 (1 for a 1 x 1 texture).
int FullMipLevelCount(int width, int height);

// Level 0 followed by its reductions; `levels` 0 (or more than a full chain) means the full
// chain. Empty when level 0 is malformed or memory runs out.
std::vector<Image> BuildMipChain(Image level0, int levels = 0);

}  // namespace platform::d3dx9
