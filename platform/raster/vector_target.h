// The vector target the rasteriser's loops run on: the widest Highway target built in that the
// processor runs, or the one POKUTAN_RENDER_TARGET names (SSSE3, SSE4, AVX2, AVX3, NEON, SVE,
// EMU128 for the portable loops, ...), chosen once and said on stderr when asked for.
#pragma once

#include <cstdint>

namespace platform::raster {

int64_t ChosenVectorTarget();

}  // namespace platform::raster
