// The arithmetic of bilinear filtering: a 2 x 2 texel neighbourhood blended per channel in
// integers, 64-bit SWAR. Weights run from 0 to 256, so a weight of 0 or 256 returns a texel
// exactly (texel-centred sampling is lossless); each lerp rounds to nearest. The vector loops
// (pixel_kernels.cpp, fused_span_loops.cpp) give the same bits.
#pragma once

#include <cstdint>

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

}  // namespace platform::raster
