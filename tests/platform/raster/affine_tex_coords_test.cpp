// Row-wise affine texture coordinates against the per-batch ones they stand in for: the same
// starts (one at a time and a row's in one go) and steps for random triangles, mappings
// (clamped and wrapped) and batch positions.
#include <cstdint>

#include <gtest/gtest.h>

#include "raster/triangle_attributes.h"

namespace {

using namespace platform::raster;

TEST(AffineTexCoordsTest, MatchTexCoordsForEveryBatchOfARow) {
    uint32_t seed = 5;
    auto next = [&seed](double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + (hi - lo) * (seed >> 8) / 16777216.0;
    };
    const Viewport viewport{0, 0, 640, 480, 0.0f, 1.0f};
    PixelBatch batch;
    for (int round = 0; round < 2000; ++round) {
        auto vertex = [&] {
            return ScreenVertex{static_cast<float>(next(-200, 900)),
                                static_cast<float>(next(-200, 700)),
                                0.5f,
                                1.0f,
                                0xFFFFFFFF,
                                static_cast<float>(next(-3, 3)),
                                static_cast<float>(next(-3, 3))};
        };
        const TriangleAttributes t = BuildAttributes(vertex(), vertex(), vertex(), viewport);
        if (!t.valid) {
            continue;
        }
        TexelMapping mapping;
        const double size = round % 3 == 0 ? 640 : 512;
        mapping.scaleU = size * 65536.0;
        mapping.scaleV = 256 * 65536.0;
        mapping.offset = round % 2 == 0 ? 32768.0 : 0.0;
        mapping.periodU = round % 4 == 0 ? mapping.scaleU : 0.0;
        mapping.periodV = round % 5 == 0 ? 2 * mapping.scaleV : 0.0;
        AffineTexCoords rows(t, mapping);
        const int y = static_cast<int>(next(-50, 530));
        rows.SetRow(y);
        const int left = static_cast<int>(next(-50, 100));
        int32_t startsU[16], startsV[16];
        rows.Starts(left, 700, 64, startsU, startsV);
        for (int x = left, b = 0; x < 700; x += 64, ++b) {
            batch.x = x;
            batch.y = y;
            batch.count = 64;
            const TexelCoords expected = TexCoordsFor(t, mapping, batch);
            const TexelCoords actual = rows.At(x);
            ASSERT_TRUE(actual.stepped);
            ASSERT_EQ(actual.u0, expected.u0) << round << " " << x << " " << y;
            ASSERT_EQ(actual.v0, expected.v0) << round << " " << x << " " << y;
            ASSERT_EQ(actual.du, expected.du) << round;
            ASSERT_EQ(actual.dv, expected.dv) << round;
            ASSERT_EQ(startsU[b], expected.u0) << round << " " << x << " " << y;
            ASSERT_EQ(startsV[b], expected.v0) << round << " " << x << " " << y;
        }
    }
}

}  // namespace
