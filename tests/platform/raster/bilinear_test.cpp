// The integer bilinear blend: exact at the texel centres and the same on the SSE2 and the
// portable path, and within rounding of the exact blend everywhere.
#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "raster/bilinear.h"

namespace {

using platform::raster::BilinearFilter;
using platform::raster::BilinearPortable;

uint32_t Next(uint32_t& seed) {
    seed = seed * 1664525u + 1013904223u;
    return seed;
}

TEST(BilinearTest, WeightsOfZeroAndFullReturnTexelsExactly) {
    const uint32_t top[2] = {0x12345678, 0x9ABCDEF0};
    const uint32_t bottom[2] = {0x0F1E2D3C, 0xFFFFFFFF};
    const BilinearFilter filter;
    EXPECT_EQ(filter(top, bottom, 0, 0), top[0]);
    EXPECT_EQ(filter(top, bottom, 256, 0), top[1]);
    EXPECT_EQ(filter(top, bottom, 0, 256), bottom[0]);
    EXPECT_EQ(filter(top, bottom, 256, 256), bottom[1]);
}

TEST(BilinearTest, FastAndPortablePathsAgreeAndStayNearTheExactBlend) {
    const BilinearFilter filter;
    uint32_t seed = 7;
    for (int n = 0; n < 20000; ++n) {
        const uint32_t top[2] = {Next(seed), Next(seed)};
        const uint32_t bottom[2] = {Next(seed), Next(seed)};
        const uint32_t fx = Next(seed) % 257, fy = Next(seed) % 257;
        const uint32_t fast = filter(top, bottom, fx, fy);
        ASSERT_EQ(fast, BilinearPortable(top, bottom, fx, fy)) << n;
        for (int shift = 0; shift < 32; shift += 8) {
            auto c = [shift](uint32_t t) { return static_cast<double>((t >> shift) & 0xFF); };
            const double x = fx / 256.0, y = fy / 256.0;
            const double exact = (c(top[0]) * (1 - x) + c(top[1]) * x) * (1 - y) +
                                 (c(bottom[0]) * (1 - x) + c(bottom[1]) * x) * y;
            ASSERT_NEAR(static_cast<double>((fast >> shift) & 0xFF), exact, 1.0) << n;
        }
    }
}

}  // namespace
