// A run of up to kBatchSize pixels on one row, carried through the pixel pipeline stage by
// stage. Every stage loops over the arrays once, which keeps the loops free of state look-ups
// and lets the compiler vectorise them.
#pragma once

#include <cstdint>

namespace platform::raster {

// Coordinate and colour step limits (triangle_attributes.cpp) assume batches this short.
constexpr int kBatchSize = 64;

struct PixelBatch {
    int x = 0, y = 0, count = 0;
    // False when an alpha or depth test has dropped some pixel; stages may then skip `live`.
    bool allLive = true;
    // Texel coordinates in 16.16 fixed point of the sampled level (see sampler.h).
    alignas(16) int32_t u[kBatchSize];
    alignas(16) int32_t v[kBatchSize];
    alignas(16) uint32_t texel[kBatchSize];
    alignas(16) uint32_t diffuse[kBatchSize];
    // The stage's output: the source colour of blending.
    alignas(16) uint32_t color[kBatchSize];
    // 24-bit depth of each pixel, or depthValue for all of them when depthConstant is set.
    alignas(16) uint32_t depth[kBatchSize];
    bool depthConstant = false;
    uint32_t depthValue = 0;
    // 1 while the pixel is still to be written.
    alignas(16) uint32_t live[kBatchSize];
};

}  // namespace platform::raster
