// The fused path's exact pixel, one at a time: the staged pipeline's clamped bilinear sample,
// modulation, alpha and depth tests and blend. The vector loops (fused_span_loops.cpp) use it
// for batch edges and texture borders, and check with BlocksInside where they may not.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "raster/bilinear.h"
#include "raster/color_ops.h"
#include "raster/fused_span.h"
#include "raster/pixel_batch.h"
#include "raster/pixel_blend.h"

namespace platform::raster::fused {

inline int ClampIndex(int i, int size) {
    return i < 0 ? 0 : (i >= size ? size - 1 : i);
}

// The staged pipeline's clamped bilinear sample, tap by tap.
inline uint32_t SampleClamped(const FusedSpanJob& j, int32_t u, int32_t v) {
    const int x0 = u >> 16, y0 = v >> 16;
    const uint32_t fx = ((static_cast<uint32_t>(u) & 0xFFFF) + 0x80) >> 8;
    const uint32_t fy = ((static_cast<uint32_t>(v) & 0xFFFF) + 0x80) >> 8;
    const uint32_t* upper =
        j.texels + static_cast<std::ptrdiff_t>(ClampIndex(y0, j.height)) * j.pitch;
    const uint32_t* lower =
        j.texels + static_cast<std::ptrdiff_t>(ClampIndex(y0 + 1, j.height)) * j.pitch;
    const int xa = ClampIndex(x0, j.width), xb = ClampIndex(x0 + 1, j.width);
    const uint32_t top[2] = {upper[xa], upper[xb]};
    const uint32_t bottom[2] = {lower[xa], lower[xb]};
    return BilinearPortable(top, bottom, fx, fy);
}

inline uint32_t ModulateOne(uint32_t a, uint32_t b) {
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        result |= MulDiv255((a >> shift) & 0xFF, (b >> shift) & 0xFF) << shift;
    }
    return result;
}

// Pixel p of the span, the i-th of a batch starting at (u0, v0).
inline void ShadeOne(const FusedSpanJob& j, int32_t u0, int32_t v0, int i, int p) {
    const uint32_t texel = j.texels == nullptr
                               ? 0xFFFFFFFFu
                               : SampleClamped(j, u0 + i * j.du, v0 + i * j.dv) | j.textureForce;
    const uint32_t color = ModulateOne(texel, j.modulator);
    if (j.alphaTest && !((color >> 24) > j.alphaRef)) {
        return;
    }
    if (j.depthRow != nullptr) {
        const uint32_t word = j.depthRow[p];
        if (!(j.depth <= (word >> 8))) {
            return;
        }
        if (j.depthWrite) {
            j.depthRow[p] = (word & 0xFFu) | (j.depth << 8);
        }
    }
    const uint32_t dst = j.target[p] | j.targetForce;
    j.target[p] = (j.blend == FusedBlend::Add ? AddSaturateOne(color, dst) : OverOne(color, dst)) |
                  j.targetForce;
}

// The batch's pixels from `done` on, one at a time.
inline void ShadeRest(const FusedSpanJob& j, int32_t u0, int32_t v0, int first, int done, int n) {
    for (int i = done; i < n; ++i) {
        ShadeOne(j, u0, v0, i, first + i);
    }
}

// True when the 2 x 2 block of each of the first `count` pixels of the batch starting at
// (u0, v0), with the folded coordinates (see fused_span_loops.cpp), lies inside the texture:
// coordinates are linear along the batch, so the two ends decide.
inline bool BlocksInside(const FusedSpanJob& j, int32_t u0, int32_t v0, int count) {
    if (j.pitch >= 32768 || j.height >= 32768) {
        return false;
    }
    auto inside = [&](int32_t u, int32_t v) {
        const int x = (u + 0x80) >> 16, y = (v + 0x80) >> 16;
        return static_cast<unsigned>(x) < static_cast<unsigned>(j.width - 1) &&
               static_cast<unsigned>(y) < static_cast<unsigned>(j.height - 1);
    };
    const int last = count - 1;
    return inside(u0, v0) && inside(u0 + last * j.du, v0 + last * j.dv);
}

// How many leading pixels of an n-pixel batch the vector loop takes, in groups of `lanes`: all
// of them where the reads of every lane of the last, partial group stay inside too, else the
// whole groups whose reads do.
inline int VectorCount(const FusedSpanJob& j, int32_t u0, int32_t v0, int n, int lanes,
                       bool textured) {
    if (!textured) {
        return n;
    }
    const int rounded = (n + lanes - 1) / lanes * lanes;
    if (BlocksInside(j, u0, v0, rounded)) {
        return n;
    }
    const int whole = n / lanes * lanes;
    return whole > 0 && BlocksInside(j, u0, v0, whole) ? whole : 0;
}

}  // namespace platform::raster::fused
