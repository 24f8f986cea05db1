// Texture sampling over a batch: point and bilinear filters with wrap, mirror, clamp and border
// addressing chosen separately for u and v. One specialised function per combination is picked
// once per draw.
//
// Coordinates are 16.16 fixed point in texels of the sampled level: for point sampling the
// texel is the integer part of u * width; for bilinear the caller subtracts half a texel first,
// so the integer part is the left/top tap and the fraction its neighbour's weight.
#pragma once

#include <cstdint>

#include "raster/pixel_batch.h"
#include "raster/raster_types.h"

namespace platform::raster {

class ColorSurface;

struct SampleSource {
    const uint32_t* texels = nullptr;
    int width = 0, height = 0, pitch = 0;
    uint32_t borderColor = 0;
    const ColorSurface* surface = nullptr;  // the level the texels belong to, when there is one
};

// The coordinates of a batch: per-pixel arrays, or when `stepped` a start and a per-pixel
// step (affine triangles), which the samplers step through themselves.
struct TexelCoords {
    bool stepped = false;
    int32_t u0 = 0, du = 0, v0 = 0, dv = 0;
    const int32_t* u = nullptr;
    const int32_t* v = nullptr;
};

using SampleFn = void (*)(const SampleSource& source, const TexelCoords& coords, uint32_t* out,
                          int count);

// bilinear: false for point sampling. Sizes decide whether wrapping can use a bit mask.
SampleFn SelectSampler(bool bilinear, TextureAddress addressU, TextureAddress addressV, int width,
                       int height);

}  // namespace platform::raster
