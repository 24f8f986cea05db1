// The fused path's vector loops, written once with Highway and compiled for every instruction
// set the library targets on this processor family (SSSE3 to AVX-512 on x86-64, NEON and SVE on
// ARM64, WASM SIMD in a browser, and its portable 128-bit emulation everywhere).
#pragma once

#include <cstdint>
#include <vector>

#include "raster/fused_span.h"

namespace platform::raster {

using SpanLoop = void (*)(const FusedSpanJob&);

// The loops of one target, per blend and texturing.
struct SpanLoops {
    SpanLoop run[2][2] = {};  // [blend is Over][textured]
};

struct CompiledSpanLoops {
    FusedSpanTarget target;
    SpanLoops loops;
};

// The targets built into this program that the processor runs, widest first.
const std::vector<CompiledSpanLoops>& SpanLoopsOfProcessor();

}  // namespace platform::raster
