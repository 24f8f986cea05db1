// The colour key of D3DX texture loading: pixels exactly equal to the key become transparent
// black. Applied to the decoded picture before it is resized, so that filtering blends the
// keyed area as transparent rather than as the key colour.
#pragma once

#include <cstddef>
#include <cstdint>

#include "d3dx9/image.h"

namespace platform::d3dx9 {

// Replaces every pixel equal to `key` (0xAARRGGBB, so 0xFFFF00FF is opaque magenta only) with
// 0x00000000 and returns how many were replaced. A key of 0 disables keying, as in D3DX.
size_t ApplyColorKey(Image& image, uint32_t key);

}  // namespace platform::d3dx9
