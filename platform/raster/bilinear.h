// The arithmetic of bilinear filtering: a 2 x 2 texel neighbourhood blended per channel in
// integers. Weights run from 0 to 256, so a weight of 0 or 256 returns a texel exactly (texel-
// centred sampling is lossless). SSE2 where available, 64-bit SWAR otherwise; both round each
// lerp to nearest and give identical results.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform::raster {

namespace bilinear_detail {

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

}  // namespace bilinear_detail

// top points at the texels [t00, t10] of the upper row, bottom at [t01, t11] of the lower;
// fx, fy are the weights of the right column and the lower row (0..256).
inline uint32_t BilinearPortable(const uint32_t* top, const uint32_t* bottom, uint32_t fx,
                                 uint32_t fy) {
    using namespace bilinear_detail;
    const uint64_t left = Lerp(Spread(top[0]), Spread(bottom[0]), fy);
    const uint64_t right = Lerp(Spread(top[1]), Spread(bottom[1]), fy);
    return Pack(Lerp(left, right, fx));
}

#if defined(__SSE2__)

// Weight vectors for every weight 0..256, so a sample loads its weights instead of building
// them: rows[w] has w in all eight lanes, columns[w] has 256 - w in the lanes of the left
// texel and w in those of the right one.
struct BilinearWeights {
    __m128i rows[257];
    __m128i columns[257];
};

const BilinearWeights& Weights();

inline __m128i BilinearLanes(const uint32_t* top, const uint32_t* bottom, uint32_t fx, uint32_t fy,
                             const BilinearWeights& weights) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(128);
    // [t00 t10] over [t01 t11], each channel a 16-bit lane.
    const __m128i upper =
        _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(top)), zero);
    const __m128i lower =
        _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bottom)), zero);
    __m128i column = _mm_add_epi16(_mm_mullo_epi16(upper, weights.rows[256 - fy]),
                                   _mm_mullo_epi16(lower, weights.rows[fy]));
    column = _mm_srli_epi16(_mm_add_epi16(column, half), 8);
    const __m128i products = _mm_mullo_epi16(column, weights.columns[fx]);
    const __m128i sum =
        _mm_add_epi16(products, _mm_shuffle_epi32(products, _MM_SHUFFLE(1, 0, 3, 2)));
    // The sample in the low four lanes (and again in the high four).
    return _mm_srli_epi16(_mm_add_epi16(sum, half), 8);
}

// Filters samples; make one per run of samples, outside the loop.
class BilinearFilter {
  public:
    BilinearFilter() : weights_(Weights()) {}
    uint32_t operator()(const uint32_t* top, const uint32_t* bottom, uint32_t fx,
                        uint32_t fy) const {
        const __m128i lanes = BilinearLanes(top, bottom, fx, fy, weights_);
        return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(lanes, lanes)));
    }

  private:
    const BilinearWeights& weights_;
};

#else

class BilinearFilter {
  public:
    uint32_t operator()(const uint32_t* top, const uint32_t* bottom, uint32_t fx,
                        uint32_t fy) const {
        return BilinearPortable(top, bottom, fx, fy);
    }
};

#endif

}  // namespace platform::raster
