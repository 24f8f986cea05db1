// The arithmetic of bilinear filtering: four gathered texels and their weights blended per
// channel in integers. Weights run from 0 to 256, so a weight of 0 or 256 returns a texel
// exactly (texel-centred sampling is lossless). SSE2 where available, portable otherwise.
#pragma once

#include <cstdint>

namespace platform::raster {

// The 2 x 2 neighbourhood of one sample: t00 top-left, t10 top-right, t01 bottom-left,
// t11 bottom-right; fx, fy the weights of the right column and the bottom row (0..256).
struct BilinearTaps {
    uint32_t t00, t10, t01, t11;
    uint32_t fx, fy;
};

void BlendTaps(const BilinearTaps* taps, uint32_t* out, int count);

// The portable blend of one sample (also the reference for the SSE2 path).
uint32_t BlendTapsPortable(const BilinearTaps& taps);

}  // namespace platform::raster
