// One-pixel blends shared by the general blender and the fused span loops, so both give the
// same bits: source over destination with the source alpha, and a saturating add.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// Two pixels in 16-bit lanes, as OverOne.
inline __m128i OverLanes(__m128i s, __m128i d) {
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
    const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), alpha);
    __m128i x = _mm_add_epi16(_mm_mullo_epi16(s, alpha), _mm_mullo_epi16(d, inverse));
    x = _mm_add_epi16(x, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}
#endif

}  // namespace platform::raster
