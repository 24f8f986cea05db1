// A fused per-pixel path for the game's commonest draws: an affine, flat-coloured triangle,
// sampled bilinearly from one level with clamped addressing (or untextured), modulated by its
// colour, alpha-tested (GREATER or off), depth-tested (LESSEQUAL against a level depth, or
// off) and blended ONE/ONE (the background) or SRCALPHA/INVSRCALPHA (sprites, the copy of the
// play scene, fades) with every channel written. It gives exactly the pixels and depths of the
// staged pipeline; the renderer picks it once per draw when the state allows, and per
// triangle when the triangle does. Everything else goes through the stages.
#pragma once

#include <cstdint>

#include "raster/draw_state.h"

namespace platform::raster {

enum class FusedBlend { Add, Over };

// One row span of the fused path, walked in the staged path's batches of kBatchSize pixels
// with the same coordinates and depth the stages would use.
struct FusedSpanJob {
    FusedBlend blend = FusedBlend::Add;
    // Null when no texture is bound: every texel reads opaque white.
    const uint32_t* texels = nullptr;
    int width = 0, height = 0, pitch = 0;
    // 16.16 texel coordinates (see sampler.h): those of each batch's first pixel, and their
    // step per pixel.
    const int32_t* batchU = nullptr;
    const int32_t* batchV = nullptr;
    int32_t du = 0, dv = 0;
    // Multiplies the texel per channel; its alpha is 0xFF where the stage takes the texel's.
    uint32_t modulator = 0xFFFFFFFF;
    uint32_t textureForce = 0;  // 0xFF000000 for X8R8G8B8 textures
    bool alphaTest = false;     // GREATER alphaRef
    uint32_t alphaRef = 0;
    uint32_t* depthRow = nullptr;  // the span's first depth word; null without a depth test
    uint32_t depth = 0;            // 24-bit
    bool depthWrite = false;
    uint32_t* target = nullptr;  // the span's first pixel
    uint32_t targetForce = 0;    // 0xFF000000 for X8R8G8B8 targets
    int count = 0;
};

// What the draw state decides once per draw.
struct FusedSpanSetup {
    bool usable = false;
    FusedBlend blend = FusedBlend::Add;
    bool alphaTest = false;
    bool modulateAlpha = false;  // false: the alpha comes from the texel alone
};

FusedSpanSetup FusedSpanFor(const DrawState& state);

void RunFusedSpan(const FusedSpanJob& job);

// The loops, narrowest to widest. Best, the default, is the widest the processor runs, chosen
// once at start-up. Tests choose others to compare them with the staged pipeline: Off sends
// every draw through the stages, Portable runs the fused path one pixel at a time.
enum class FusedSpanMode { Off, Portable, Sse2, Avx2, Avx512, Best };
// False for a loop this processor (or this build) cannot run.
bool FusedSpanModeSupported(FusedSpanMode mode);
// False, changing nothing, when the loop is not supported.
bool SetFusedSpanMode(FusedSpanMode mode);

}  // namespace platform::raster
