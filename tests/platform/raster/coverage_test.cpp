// Which pixels a triangle covers: pixel centres, the top-left rule, culling and strip winding,
// the viewport scissor and vertices far off screen.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "raster/clear.h"
#include "raster_test_support.h"

namespace {

using namespace raster_test;

// Counts the draws each pixel received: every draw adds 1 to blue (ONE/ONE).
class CoverageTest : public ::testing::Test {
  protected:
    CoverageTest() : target_(16, 16, ColorFormat::A8R8G8B8), state_(StateFor(target_)) {
        state_.render.alphaBlendEnable = true;
        state_.render.srcBlend = Blend::One;
        state_.render.destBlend = Blend::One;
    }

    int Count(int x, int y) const { return static_cast<int>(target_.row(y)[x] & 0xFF); }

    int Covered() const {
        int covered = 0;
        for (int y = 0; y < target_.height(); ++y) {
            for (int x = 0; x < target_.width(); ++x) {
                covered += Count(x, y) > 0 ? 1 : 0;
            }
        }
        return covered;
    }

    void DrawList(const std::vector<ScreenVertex>& vertices) {
        DrawPrimitive(state_, PrimitiveType::TriangleList, vertices, vertices.size() / 3);
    }

    static constexpr uint32_t kOne = 0x00000001;
    ColorSurface target_;
    DrawState state_;
};

TEST_F(CoverageTest, QuadAtHalfPixelOffsetsCoversExactlyItsPixels) {
    DrawQuad(state_, Quad(1.5f, 2.5f, 5.5f, 5.5f, kOne));
    EXPECT_EQ(Covered(), 4 * 3);
    for (int y = 3; y <= 5; ++y) {
        for (int x = 2; x <= 5; ++x) {
            EXPECT_EQ(Count(x, y), 1) << x << "," << y;
        }
    }
}

TEST_F(CoverageTest, QuadOnIntegerCoordinatesTakesTopAndLeftEdgesOnly) {
    DrawQuad(state_, Quad(2, 3, 6, 5, kOne));
    EXPECT_EQ(Covered(), 4 * 2);
    EXPECT_EQ(Count(2, 3), 1);
    EXPECT_EQ(Count(5, 4), 1);
    EXPECT_EQ(Count(6, 4), 0);
    EXPECT_EQ(Count(2, 5), 0);
}

TEST_F(CoverageTest, TrianglesAroundASharedVertexCoverEachPixelOnce) {
    // A fan of triangles around a pixel centre with edges through many pixel centres: every
    // pixel inside the octagon is drawn exactly once.
    const float cx = 8, cy = 8;
    std::vector<ScreenVertex> list;
    const int sides = 8;
    for (int i = 0; i < sides; ++i) {
        const float a0 = 2 * 3.14159265f * i / sides;
        const float a1 = 2 * 3.14159265f * (i + 1) / sides;
        auto corner = [&](float a) {
            return Vertex(std::round(cx + 7 * std::cos(a)), std::round(cy + 7 * std::sin(a)), kOne);
        };
        list.push_back(Vertex(cx, cy, kOne));
        list.push_back(corner(a0));
        list.push_back(corner(a1));
    }
    DrawList(list);
    int covered = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_LE(Count(x, y), 1) << x << "," << y;
            covered += Count(x, y);
        }
    }
    EXPECT_GT(covered, 100);
    EXPECT_EQ(Count(8, 8), 1);
}

TEST_F(CoverageTest, DiagonalSplitOfAQuadCoversEachPixelOnce) {
    DrawList({Vertex(0, 0, kOne), Vertex(13, 0, kOne), Vertex(0, 11, kOne),  //
              Vertex(13, 0, kOne), Vertex(13, 11, kOne), Vertex(0, 11, kOne)});
    EXPECT_EQ(Covered(), 13 * 11);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 13; ++x) {
            ASSERT_EQ(Count(x, y), 1) << x << "," << y;
        }
    }
}

TEST_F(CoverageTest, CullModesDropTheMatchingWindingAndStripsKeepTheFirstWinding) {
    // Clockwise on screen (y down): top-left, top-right, bottom-left, then the strip's second
    // triangle is clockwise too once its first two vertices are swapped.
    const auto quad = Quad(-0.5f, -0.5f, 3.5f, 3.5f, kOne);
    state_.render.cullMode = Cull::CCW;
    DrawQuad(state_, quad);
    EXPECT_EQ(Covered(), 16);

    ClearColor(target_, 0, {}, Rect{0, 0, 16, 16});
    state_.render.cullMode = Cull::CW;
    DrawQuad(state_, quad);
    EXPECT_EQ(Covered(), 0);

    const std::vector<ScreenVertex> reversed = {quad[1], quad[0], quad[3], quad[2]};
    DrawQuad(state_, reversed);
    EXPECT_EQ(Covered(), 16);
    state_.render.cullMode = Cull::CCW;
    DrawQuad(state_, reversed);
    EXPECT_EQ(Count(0, 0), 1);
}

TEST_F(CoverageTest, NothingIsDrawnOutsideTheViewport) {
    state_.viewport = Viewport{4, 5, 3, 2, 0.0f, 1.0f};
    DrawQuad(state_, Quad(-100, -100, 100, 100, kOne));
    EXPECT_EQ(Covered(), 3 * 2);
    EXPECT_EQ(Count(4, 5), 1);
    EXPECT_EQ(Count(6, 6), 1);
    EXPECT_EQ(Count(7, 6), 0);
    EXPECT_EQ(Count(4, 7), 0);
}

TEST_F(CoverageTest, FarAwayAndNonFiniteVerticesAreHandled) {
    const float far = 2147483647.0f;
    DrawQuad(state_, Quad(far - 16, far - 16, far + 16, far + 16, kOne));
    DrawQuad(state_, Quad(0, 0, NAN, 4, kOne));
    EXPECT_EQ(Covered(), 0);
    // A huge triangle reaching far past the guard band still covers the whole target once.
    DrawList({Vertex(-1e9f, -1e9f, kOne), Vertex(1e9f, -1e9f, kOne), Vertex(0, 1e9f, kOne)});
    EXPECT_EQ(Covered(), 16 * 16);
    EXPECT_EQ(Count(15, 15), 1);
}

TEST_F(CoverageTest, TooFewVerticesDrawNothing) {
    const auto quad = Quad(0, 0, 4, 4, kOne);
    DrawPrimitive(state_, PrimitiveType::TriangleStrip, quad, 3);
    DrawPrimitive(state_, PrimitiveType::TriangleList, quad, 2);
    EXPECT_EQ(Covered(), 0);
    DrawPrimitive(state_, PrimitiveType::TriangleFan, quad, 2);
    EXPECT_GT(Covered(), 0);
}

TEST_F(CoverageTest, IndexedDrawsSkipTrianglesWithBadIndices) {
    const auto quad = Quad(-0.5f, -0.5f, 3.5f, 3.5f, kOne);
    const std::vector<uint32_t> indices = {0, 1, 2, 1, 3, 7};
    DrawIndexedPrimitive(state_, PrimitiveType::TriangleList, quad, indices, 2);
    // Only the upper-left triangle: centres with x + y < 3 (the diagonal is a right edge).
    EXPECT_EQ(Covered(), 6);
}

}  // namespace
