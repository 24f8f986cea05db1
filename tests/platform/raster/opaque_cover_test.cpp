// A sprite's opaque cover: exactly the pixels it writes, and only when nothing under them can
// show through (blending, the alpha of the texels it reads, the depth test).
#include <algorithm>
#include <optional>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "raster/clear.h"
#include "raster/hidden_area.h"
#include "raster/opaque_cover.h"
#include "raster/texture.h"
#include "raster_test_support.h"

namespace {

using namespace raster_test;

constexpr uint32_t kMarker = 0xFF123456;

std::optional<OpaqueCover> CoverOf(const DrawState& state, const std::vector<ScreenVertex>& quad) {
    return FindOpaqueCover(state, PrimitiveType::TriangleStrip, quad, 2);
}

TEST(OpaqueCover, IsExactlyThePixelsTheSpriteWrites) {
    ColorSurface target(48, 40, ColorFormat::A8R8G8B8);
    DrawState state = StateFor(target);
    std::mt19937 random(7);
    // Whole, half and odd fractional corners, some reaching past the target's edges.
    std::uniform_int_distribution<int> eighths(-40, 54 * 8);
    for (int round = 0; round < 300; ++round) {
        const float a = eighths(random) / 8.0f, b = eighths(random) / 8.0f;
        const float c = eighths(random) / 8.0f, d = eighths(random) / 8.0f;
        if (a == b || c == d) {
            continue;
        }
        ClearColor(target, 0, {}, Rect{0, 0, 48, 40});
        const auto quad =
            Quad(std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d), kMarker);
        DrawQuad(state, quad);
        const std::optional<OpaqueCover> cover = CoverOf(state, quad);
        Rect drawn{48, 40, 0, 0};
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 48; ++x) {
                if (target.row(y)[x] == kMarker) {
                    drawn = Rect{std::min(drawn.left, x), std::min(drawn.top, y),
                                 std::max(drawn.right, x + 1), std::max(drawn.bottom, y + 1)};
                }
            }
        }
        if (drawn.left >= drawn.right) {
            EXPECT_FALSE(cover) << a << " " << b << " " << c << " " << d;
            continue;
        }
        ASSERT_TRUE(cover) << a << " " << b << " " << c << " " << d;
        EXPECT_EQ(cover->pixels.left, drawn.left);
        EXPECT_EQ(cover->pixels.top, drawn.top);
        EXPECT_EQ(cover->pixels.right, drawn.right);
        EXPECT_EQ(cover->pixels.bottom, drawn.bottom);
        // Every pixel of the rectangle was written, none outside it.
        const int area = (drawn.right - drawn.left) * (drawn.bottom - drawn.top);
        EXPECT_EQ(std::count(target.data(), target.data() + 48 * 40, kMarker), area);
    }
}

// A 16 x 16 texture: opaque but for a transparent last column and row.
class TexturedCover : public ::testing::Test {
  protected:
    TexturedCover()
        : target_(64, 64, ColorFormat::A8R8G8B8), texture_(16, 16, 1, ColorFormat::A8R8G8B8) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                texture_.level(0).row(y)[x] = (x == 15 || y == 15) ? 0x00FFFFFF : 0xFF808080;
            }
        }
        state_ = StateFor(target_);
        state_.texture = &texture_;
        BlendTexelsOver(state_);
    }

    // Texels 0-14 one to one on pixels from (8, 8), sampled at their centres.
    std::vector<ScreenVertex> Opaque(uint32_t color = 0xFFFFFFFF) const {
        return Quad(8, 8, 23, 23, color, 0, 0, 15 / 16.0f, 15 / 16.0f);
    }

    ColorSurface target_;
    Texture texture_;
    DrawState state_;
};

TEST_F(TexturedCover, OpaqueTexelsCoverUnlessTheDrawCanLetTheTargetThrough) {
    EXPECT_TRUE(CoverOf(state_, Opaque()));
    state_.sampler.magFilter = TextureFilter::Linear;
    state_.sampler.minFilter = TextureFilter::Linear;
    // Linear samples on texel centres give the transparent neighbour a weight of 0.
    EXPECT_TRUE(
        CoverOf(state_, Quad(8.5f, 8.5f, 23.5f, 23.5f, 0xFFFFFFFF, 0, 0, 15 / 16.0f, 15 / 16.0f)));
    // Off the centres by a quarter texel, the last column reads the transparent one.
    EXPECT_FALSE(CoverOf(
        state_, Quad(8.25f, 8.5f, 23.25f, 23.5f, 0xFFFFFFFF, 0, 0, 15 / 16.0f, 15 / 16.0f)));
    state_.sampler = SamplerState{};
    EXPECT_FALSE(CoverOf(state_, Quad(8, 8, 24, 24, 0xFFFFFFFF)));  // the transparent texels
    EXPECT_FALSE(CoverOf(state_, Opaque(0xFEFFFFFF)));              // diffuse alpha below 255
    state_.render.colorWriteEnable = 0x7;
    EXPECT_FALSE(CoverOf(state_, Opaque()));
    state_.render.colorWriteEnable = 0xF;
    state_.render.destBlend = Blend::One;
    EXPECT_FALSE(CoverOf(state_, Opaque()));
    state_.render.alphaBlendEnable = false;  // replaces whatever the alpha
    EXPECT_TRUE(CoverOf(state_, Quad(8, 8, 24, 24, 0x00FFFFFF)));
    state_.render.alphaTestEnable = true;
    state_.render.alphaFunc = CmpFunc::Greater;
    state_.render.alphaRef = 255;  // even an opaque texel fails
    EXPECT_FALSE(CoverOf(state_, Opaque()));
}

TEST_F(TexturedCover, RefusesShapesThatAreNotUprightRectangles) {
    std::vector<ScreenVertex> turned = Opaque();
    turned[1].y += 1;
    EXPECT_FALSE(CoverOf(state_, turned));
    std::vector<ScreenVertex> list = Opaque();
    EXPECT_FALSE(FindOpaqueCover(state_, PrimitiveType::TriangleFan, list, 2));
    state_.render.cullMode = Cull::CW;  // one winding of the strip culled
    EXPECT_FALSE(CoverOf(state_, Opaque()));
}

TEST_F(TexturedCover, GivesTheDepthItTestsAndWrites) {
    DepthStencilSurface depth(64, 64);
    state_.depthStencil = &depth;
    std::vector<ScreenVertex> quad = Opaque();
    for (ScreenVertex& v : quad) {
        v.z = 0.75f;
    }
    const std::optional<OpaqueCover> cover = CoverOf(state_, quad);
    ASSERT_TRUE(cover);
    EXPECT_TRUE(cover->depthTested);
    EXPECT_EQ(cover->depth, DepthToD24(0.75f));
    EXPECT_TRUE(cover->writesDepth);
    state_.render.zFunc = CmpFunc::Greater;  // would need to know the greatest depth there
    EXPECT_FALSE(CoverOf(state_, quad));
    state_.render.zFunc = CmpFunc::LessEqual;
    quad[3].z = 0.5f;  // sloped depth
    EXPECT_FALSE(CoverOf(state_, quad));
}

TEST(HiddenArea, MergesRectanglesIntoRowsOfDisjointIntervals) {
    const Rect rects[] = {{10, 0, 20, 4}, {20, 2, 30, 6}, {40, 2, 50, 3}, {5, 8, 6, 9}};
    const HiddenArea area(rects);
    auto row = [&](int y) {
        std::vector<std::pair<int, int>> out;
        for (const Interval& i : area.Row(y)) {
            out.emplace_back(i.left, i.right);
        }
        return out;
    };
    using Row = std::vector<std::pair<int, int>>;
    EXPECT_EQ(row(0), (Row{{10, 20}}));
    EXPECT_EQ(row(2), (Row{{10, 30}, {40, 50}}));
    EXPECT_EQ(row(3), (Row{{10, 30}}));
    EXPECT_EQ(row(5), (Row{{20, 30}}));
    EXPECT_EQ(row(7), Row{});
    EXPECT_EQ(row(8), (Row{{5, 6}}));
    EXPECT_EQ(row(-1), Row{});
    EXPECT_EQ(row(9), Row{});
    EXPECT_TRUE(area.Covers(2, 12, 30));
    EXPECT_FALSE(area.Covers(2, 12, 31));
}

}  // namespace
