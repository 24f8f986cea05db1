// Integer bilinear blending: SSE2 on x86-64, 64-bit SWAR (four 16-bit lanes) elsewhere. Both
// round each lerp to nearest and give identical results.
#include "raster/bilinear.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform::raster {

namespace {

constexpr uint64_t kLaneMask = 0x00FF00FF00FF00FFull;
constexpr uint64_t kLaneHalf = 0x0080008000800080ull;

// 0xAARRGGBB -> 0x00AA00RR00GG00BB.
inline uint64_t Spread(uint32_t c) {
    uint64_t x = c;
    x = (x | (x << 16)) & 0x0000FFFF0000FFFFull;
    return (x | (x << 8)) & kLaneMask;
}

inline uint32_t Pack(uint64_t x) {
    x = (x | (x >> 8)) & 0x0000FFFF0000FFFFull;
    return static_cast<uint32_t>(x | (x >> 16));
}

// Lanes stay below 65536: a * (256 - w) + b * w + 128 <= 255 * 256 + 128.
inline uint64_t Lerp(uint64_t a, uint64_t b, uint32_t w) {
    return ((a * (256 - w) + b * w + kLaneHalf) >> 8) & kLaneMask;
}

}  // namespace

uint32_t BlendTapsPortable(const BilinearTaps& t) {
    const uint64_t left = Lerp(Spread(t.t00), Spread(t.t01), t.fy);
    const uint64_t right = Lerp(Spread(t.t10), Spread(t.t11), t.fy);
    return Pack(Lerp(left, right, t.fx));
}

#if defined(__SSE2__)

void BlendTaps(const BilinearTaps* taps, uint32_t* out, int count) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(128);
    const __m128i full = _mm_set1_epi16(256);
    for (int i = 0; i < count; ++i) {
        const BilinearTaps& t = taps[i];
        // [t00 t10] over [t01 t11], each channel a 16-bit lane.
        const __m128i top = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&t.t00)), zero);
        const __m128i bottom = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&t.t01)), zero);
        const __m128i wy = _mm_set1_epi16(static_cast<short>(t.fy));
        __m128i column = _mm_add_epi16(_mm_mullo_epi16(top, _mm_sub_epi16(full, wy)),
                                       _mm_mullo_epi16(bottom, wy));
        column = _mm_srli_epi16(_mm_add_epi16(column, half), 8);
        const __m128i wx = _mm_set1_epi16(static_cast<short>(t.fx));
        const __m128i weights = _mm_unpacklo_epi64(_mm_sub_epi16(full, wx), wx);
        const __m128i products = _mm_mullo_epi16(column, weights);
        __m128i sum = _mm_add_epi16(products, _mm_shuffle_epi32(products, _MM_SHUFFLE(1, 0, 3, 2)));
        sum = _mm_srli_epi16(_mm_add_epi16(sum, half), 8);
        out[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(sum, sum)));
    }
}

#else

void BlendTaps(const BilinearTaps* taps, uint32_t* out, int count) {
    for (int i = 0; i < count; ++i) {
        out[i] = BlendTapsPortable(taps[i]);
    }
}

#endif

}  // namespace platform::raster
