// A fused per-pixel path for the game's commonest draws: an affine, flat-coloured triangle,
// sampled bilinearly from one level with clamped addressing (or untextured), modulated by its
// colour, alpha-tested (GREATER or off), depth-tested (LESSEQUAL against a level depth, or
// off) and blended ONE/ONE (the background) or SRCALPHA/INVSRCALPHA (sprites, the copy of the
// play scene, fades) with every channel written. It gives exactly the pixels and depths of the
// staged pipeline; the renderer picks it once per draw when the state allows, and per
// triangle when the triangle does. Everything else goes through the stages.
#pragma once

#include <cstdint>
#include <vector>

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

// Which loop draws the fused spans. Best, the default, is the loop of the rasteriser's vector
// target (vector_target.h), chosen once at start-up; Off sends every draw through the stages.
enum class FusedSpanMode { Off, Best };
void SetFusedSpanMode(FusedSpanMode mode);

// One compiled vector target (Highway's) that this processor runs.
struct FusedSpanTarget {
    int64_t target = 0;  // Highway's target bit
    const char* name = "";
    const char* counter = "";  // the seam's count of spans it drew ("FusedSpan.AVX2")
};
// Widest first; the last is the portable one.
std::vector<FusedSpanTarget> FusedSpanTargets();
// False, changing nothing, for a target not in FusedSpanTargets().
bool SetFusedSpanTarget(int64_t target);
// The target Best stands for.
FusedSpanTarget ChosenFusedSpanTarget();

}  // namespace platform::raster
