// The integer bilinear blend: exact at the texel centres, within rounding of the exact blend
// everywhere, and the same bits from every vector target's batch loop (and its source-over
// blend) as from the one-pixel functions.
#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "raster/bilinear.h"
#include "raster/pixel_blend.h"
#include "raster/pixel_kernels.h"

namespace {

using platform::raster::BilinearPortable;
using platform::raster::OverOne;
using platform::raster::PixelKernels;
using platform::raster::PixelKernelsOfProcessor;

uint32_t Next(uint32_t& seed) {
    seed = seed * 1664525u + 1013904223u;
    return seed ^ (seed >> 15);
}

TEST(BilinearTest, WeightsOfZeroAndFullReturnTexelsExactly) {
    const uint32_t top[2] = {0x12345678, 0x9ABCDEF0};
    const uint32_t bottom[2] = {0x0F1E2D3C, 0xFFFFFFFF};
    EXPECT_EQ(BilinearPortable(top, bottom, 0, 0), top[0]);
    EXPECT_EQ(BilinearPortable(top, bottom, 256, 0), top[1]);
    EXPECT_EQ(BilinearPortable(top, bottom, 0, 256), bottom[0]);
    EXPECT_EQ(BilinearPortable(top, bottom, 256, 256), bottom[1]);
}

TEST(BilinearTest, TheBlendStaysWithinRoundingOfTheExactOne) {
    uint32_t seed = 7;
    for (int n = 0; n < 20000; ++n) {
        const uint32_t top[2] = {Next(seed), Next(seed)};
        const uint32_t bottom[2] = {Next(seed), Next(seed)};
        const uint32_t fx = Next(seed) % 257, fy = Next(seed) % 257;
        const uint32_t blended = BilinearPortable(top, bottom, fx, fy);
        for (int shift = 0; shift < 32; shift += 8) {
            auto c = [shift](uint32_t t) { return static_cast<double>((t >> shift) & 0xFF); };
            const double x = fx / 256.0, y = fy / 256.0;
            const double exact = (c(top[0]) * (1 - x) + c(top[1]) * x) * (1 - y) +
                                 (c(bottom[0]) * (1 - x) + c(bottom[1]) * x) * y;
            ASSERT_NEAR(static_cast<double>((blended >> shift) & 0xFF), exact, 1.0) << n;
        }
    }
}

class PixelKernelsTest : public ::testing::TestWithParam<PixelKernels> {};

TEST_P(PixelKernelsTest, BatchesGiveTheBitsOfTheOnePixelFunctions) {
    const PixelKernels& kernels = GetParam();
    uint32_t seed = 11;
    for (int round = 0; round < 2000; ++round) {
        const int width = 2 + static_cast<int>(Next(seed) % 60);
        const int height = 2 + static_cast<int>(Next(seed) % 60);
        const int count = 1 + static_cast<int>(Next(seed) % 64);
        std::vector<uint32_t> texels(static_cast<size_t>(width * height));
        for (uint32_t& texel : texels) {
            texel = Next(seed);
        }
        std::vector<int32_t> offset(count);
        std::vector<uint32_t> fx(count), fy(count), src(count), dst(count), sampled(count),
            blended(count);
        for (int i = 0; i < count; ++i) {
            offset[i] =
                static_cast<int32_t>(Next(seed) % (height - 1) * width + Next(seed) % (width - 1));
            fx[i] = Next(seed) % 257;
            fy[i] = Next(seed) % 257;
            src[i] = Next(seed);
            dst[i] = Next(seed);
        }
        kernels.bilinear(texels.data(), width, offset.data(), fx.data(), fy.data(), sampled.data(),
                         count);
        kernels.over(src.data(), dst.data(), blended.data(), count);
        for (int i = 0; i < count; ++i) {
            const uint32_t* top = texels.data() + offset[i];
            ASSERT_EQ(sampled[i], BilinearPortable(top, top + width, fx[i], fy[i]))
                << "round " << round << " sample " << i;
            ASSERT_EQ(blended[i], OverOne(src[i], dst[i])) << "round " << round << " pixel " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, PixelKernelsTest, ::testing::ValuesIn(PixelKernelsOfProcessor()),
                         [](const ::testing::TestParamInfo<PixelKernels>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
