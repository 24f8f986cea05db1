// One-pixel blends shared by the general blender and the fused span loops, so both give the
// same bits: source over destination with the source alpha, and a saturating add.
#pragma once

#include <cstdint>

namespace platform::raster {

// round((s * a + d * (255 - a)) / 255) per channel, a the source alpha.
inline uint32_t OverOne(uint32_t src, uint32_t dst) {
    const uint32_t a = src >> 24;
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t x = ((src >> shift) & 0xFF) * a + ((dst >> shift) & 0xFF) * (255 - a) + 128;
        result |= ((x + (x >> 8)) >> 8) << shift;
    }
    return result;
}

// Per channel min(a + b, 255).
inline uint32_t AddSaturateOne(uint32_t a, uint32_t b) {
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t sum = ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF);
        result |= (sum > 255 ? 255 : sum) << shift;
    }
    return result;
}

}  // namespace platform::raster
