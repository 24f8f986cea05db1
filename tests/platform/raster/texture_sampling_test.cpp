// Texture sampling through whole draws: one-to-one texel mapping, point and bilinear filters,
// addressing modes at the edges, mip level choice and the formats' alpha.
#include <vector>

#include <gtest/gtest.h>

#include "raster/texture.h"
#include "raster_test_support.h"

namespace {

using namespace raster_test;

uint32_t Pattern(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 37 + y * 11) << 16 |
           static_cast<uint32_t>(x * 5 + y * 29) << 8 | static_cast<uint32_t>((x ^ y) * 13 & 0xFF);
}

Texture PatternTexture(int width, int height, int levels = 1) {
    Texture texture(width, height, levels, ColorFormat::A8R8G8B8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            texture.level(0).row(y)[x] = Pattern(x, y) & 0xFFFFFFFFu;
        }
    }
    return texture;
}

class TextureSamplingTest : public ::testing::Test {
  protected:
    TextureSamplingTest() : target_(16, 16, ColorFormat::A8R8G8B8), state_(StateFor(target_)) {}

    uint32_t At(int x, int y) const { return target_.row(y)[x]; }

    ColorSurface target_;
    DrawState state_;
};

TEST_F(TextureSamplingTest, TexelsMapOneToOneWithPointAndBilinearFilters) {
    Texture texture = PatternTexture(8, 4);
    state_.texture = &texture;
    for (TextureFilter filter : {TextureFilter::Point, TextureFilter::Linear}) {
        state_.sampler.magFilter = filter;
        state_.sampler.minFilter = filter;
        DrawQuad(state_, Quad(-0.5f, -0.5f, 7.5f, 3.5f, 0xFFFFFFFF));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 8; ++x) {
                ASSERT_EQ(At(x, y), Pattern(x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(TextureSamplingTest, NonPowerOfTwoTextureMapsOneToOne) {
    Texture texture = PatternTexture(6, 5);
    state_.texture = &texture;
    state_.sampler.magFilter = TextureFilter::Linear;
    state_.sampler.addressU = state_.sampler.addressV = TextureAddress::Clamp;
    DrawQuad(state_, Quad(1.5f, 2.5f, 7.5f, 7.5f, 0xFFFFFFFF));
    EXPECT_EQ(At(2, 3), Pattern(0, 0));
    EXPECT_EQ(At(7, 7), Pattern(5, 4));
    EXPECT_EQ(At(4, 5), Pattern(2, 2));
}

TEST_F(TextureSamplingTest, BilinearMidpointsAverageTheirTexels) {
    Texture texture(2, 1, 1, ColorFormat::A8R8G8B8);
    texture.level(0).row(0)[0] = 0xFF000000;
    texture.level(0).row(0)[1] = 0xFFFF80FF;
    state_.texture = &texture;
    state_.sampler.magFilter = TextureFilter::Linear;
    state_.sampler.addressU = state_.sampler.addressV = TextureAddress::Clamp;
    // Four pixels over two texels: centres at texel positions 0.25, 0.75, 1.25, 1.75, so the
    // inner two pixels are a quarter and three quarters of the way.
    DrawQuad(state_, Quad(-0.5f, -0.5f, 3.5f, 0.5f, 0xFFFFFFFF));
    EXPECT_EQ(At(0, 0), 0xFF000000u);
    EXPECT_EQ(At(1, 0), 0xFF402040u);
    EXPECT_EQ(At(2, 0), 0xFFBF60BFu);
    EXPECT_EQ(At(3, 0), 0xFFFF80FFu);
    // Anisotropic filters at least bilinearly; None filters as point.
    state_.sampler.magFilter = TextureFilter::Anisotropic;
    DrawQuad(state_, Quad(-0.5f, 0.5f, 3.5f, 1.5f, 0xFFFFFFFF));
    EXPECT_EQ(At(1, 1), 0xFF402040u);
    state_.sampler.magFilter = TextureFilter::None;
    DrawQuad(state_, Quad(-0.5f, 1.5f, 3.5f, 2.5f, 0xFFFFFFFF));
    EXPECT_EQ(At(1, 2), 0xFF000000u);
    EXPECT_EQ(At(2, 2), 0xFFFF80FFu);
}

TEST_F(TextureSamplingTest, WrapRepeatsAndClampHoldsTheEdgeTexel) {
    Texture texture = PatternTexture(4, 4);
    state_.texture = &texture;
    // u from 0 to 2 over eight pixels: two repeats when wrapping.
    DrawQuad(state_, Quad(-0.5f, -0.5f, 7.5f, 0.5f, 0xFFFFFFFF, 0, 0, 2, 0.25f));
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(At(x, 0), Pattern(x % 4, 0)) << x;
    }
    state_.sampler.addressU = TextureAddress::Clamp;
    DrawQuad(state_, Quad(-0.5f, 0.5f, 7.5f, 1.5f, 0xFFFFFFFF, 0, 0, 2, 0.25f));
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(At(x, 1), Pattern(std::min(x, 3), 0)) << x;
    }
    state_.sampler.addressU = TextureAddress::Mirror;
    DrawQuad(state_, Quad(-0.5f, 1.5f, 7.5f, 2.5f, 0xFFFFFFFF, 0, 0, 2, 0.25f));
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(At(x, 2), Pattern(x < 4 ? x : 7 - x, 0)) << x;
    }
    state_.sampler.addressU = TextureAddress::Border;
    state_.sampler.borderColor = 0xFF123456;
    DrawQuad(state_, Quad(-0.5f, 2.5f, 7.5f, 3.5f, 0xFFFFFFFF, 0, 0, 2, 0.25f));
    EXPECT_EQ(At(3, 3), Pattern(3, 0));
    EXPECT_EQ(At(4, 3), 0xFF123456u);
}

TEST_F(TextureSamplingTest, BilinearAtTheEdgeBlendsWithTheWrappedOrClampedNeighbour) {
    Texture texture(4, 1, 1, ColorFormat::A8R8G8B8);
    uint32_t* row = texture.level(0).row(0);
    row[0] = 0xFF000000;
    row[1] = row[2] = 0xFF808080;
    row[3] = 0xFFFFFFFF;
    state_.texture = &texture;
    state_.sampler.magFilter = TextureFilter::Linear;
    // One pixel per texel, shifted half a texel: pixel 0 samples halfway between texel 0 and
    // the one to its left.
    DrawQuad(state_, Quad(0, -0.5f, 4, 0.5f, 0xFFFFFFFF));
    EXPECT_EQ(At(0, 0), 0xFF808080u);  // black and the wrapped-around white
    EXPECT_EQ(At(3, 0), 0xFFC0C0C0u);
    state_.sampler.addressU = TextureAddress::Clamp;
    DrawQuad(state_, Quad(0, 0.5f, 4, 1.5f, 0xFFFFFFFF));
    EXPECT_EQ(At(0, 1), 0xFF000000u);
}

TEST_F(TextureSamplingTest, MinifyingFourTimesReadsLevelTwo) {
    Texture texture(16, 16, 0, ColorFormat::A8R8G8B8);
    ASSERT_EQ(texture.levelCount(), 5);
    const uint32_t levelColors[5] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFF00, 0xFF00FFFF};
    for (int level = 0; level < 5; ++level) {
        ColorSurface& surface = texture.level(level);
        std::fill(surface.data(), surface.data() + surface.width() * surface.height(),
                  levelColors[level]);
    }
    state_.texture = &texture;
    state_.sampler.minFilter = TextureFilter::Linear;
    state_.sampler.mipFilter = TextureFilter::Point;
    DrawQuad(state_, Quad(-0.5f, -0.5f, 3.5f, 3.5f, 0xFFFFFFFF));  // 16 texels on 4 pixels
    EXPECT_EQ(At(1, 1), levelColors[2]);
    // Without a mip filter the base level is read.
    state_.sampler.mipFilter = TextureFilter::None;
    DrawQuad(state_, Quad(-0.5f, -0.5f, 3.5f, 3.5f, 0xFFFFFFFF));
    EXPECT_EQ(At(1, 1), levelColors[0]);
    // Linear mip filtering between levels 2 and 3 at a ratio of 6 (log2 6 = 2.585).
    state_.sampler.mipFilter = TextureFilter::Linear;
    DrawQuad(state_, Quad(-0.5f, -0.5f, 15.5f, 15.5f, 0xFFFFFFFF, 0, 0, 6, 6));
    const uint32_t mixed = At(5, 5);
    EXPECT_EQ(mixed >> 16 & 0xFF, 0xFFu);
    EXPECT_NEAR(static_cast<int>(mixed >> 8 & 0xFF), 150, 2);
    // Magnified, the base level is used whatever the mip filter.
    DrawQuad(state_, Quad(-0.5f, -0.5f, 15.5f, 15.5f, 0xFFFFFFFF, 0, 0, 0.5f, 0.5f));
    EXPECT_EQ(At(5, 5), levelColors[0]);
}

TEST_F(TextureSamplingTest, MipChainIsBoxFilteredFromLevelZero) {
    Texture texture(2, 2, 0, ColorFormat::A8R8G8B8);
    uint32_t* top = texture.level(0).row(0);
    uint32_t* bottom = texture.level(0).row(1);
    top[0] = 0xFF000000;
    top[1] = 0xFF0000FF;
    bottom[0] = 0xFF00FF00;
    bottom[1] = 0x00FF0000;
    texture.BuildMipChain();
    EXPECT_EQ(texture.level(1).row(0)[0], 0xBF404040u);
}

TEST_F(TextureSamplingTest, X8TextureReadsOpaqueAndNoTextureReadsWhite) {
    Texture texture(1, 1, 1, ColorFormat::X8R8G8B8);
    texture.level(0).row(0)[0] = 0x00336699;
    state_.texture = &texture;
    DrawQuad(state_, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF));
    EXPECT_EQ(At(0, 0), 0xFF336699u);
    // The default stage takes alpha from the texture alone: white's 0xFF.
    state_.texture = nullptr;
    DrawQuad(state_, Quad(0.5f, -0.5f, 1.5f, 0.5f, 0x80402010));
    EXPECT_EQ(At(1, 0), 0xFF402010u);
    state_.stage.alphaOp = TextureOp::Modulate;
    state_.stage.alphaArg2 = TextureArg::Diffuse;
    DrawQuad(state_, Quad(1.5f, -0.5f, 2.5f, 0.5f, 0x80402010));
    EXPECT_EQ(At(2, 0), 0x80402010u);
}

TEST_F(TextureSamplingTest, TextureCoordinatesSurviveGuardBandClipping) {
    Texture texture(16, 1, 1, ColorFormat::A8R8G8B8);
    for (int x = 0; x < 16; ++x) {
        texture.level(0).row(0)[x] = 0xFF000000u | static_cast<uint32_t>(x);
    }
    state_.texture = &texture;
    // u = (x + 0.5) / 16 over a triangle reaching 65536 pixels out: pixel x reads texel x mod 16.
    auto vertex = [](float x, float y) { return Vertex(x, y, 0xFFFFFFFF, (x + 0.5f) / 16, 0); };
    const std::vector<ScreenVertex> triangle = {vertex(-65536, -1), vertex(65536, -1),
                                                vertex(0, 65536)};
    DrawPrimitive(state_, PrimitiveType::TriangleList, triangle, 1);
    for (int y = 0; y < 16; y += 5) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(At(x, y), 0xFF000000u | static_cast<uint32_t>(x)) << x << "," << y;
        }
    }
}

TEST_F(TextureSamplingTest, PerspectiveInterpolationFollowsRhw) {
    Texture texture(16, 1, 1, ColorFormat::A8R8G8B8);
    for (int x = 0; x < 16; ++x) {
        texture.level(0).row(0)[x] = 0xFF000000u | static_cast<uint32_t>(x * 16);
    }
    state_.texture = &texture;
    // The right edge is three times as far away: halfway across the screen the texture
    // coordinate is 1/4 (q-weighted mean of 0 and 1 with weights 1 and 1/3).
    std::vector<ScreenVertex> quad = Quad(-0.5f, -0.5f, 15.5f, 0.5f, 0xFFFFFFFF);
    quad[1].rhw = quad[3].rhw = 1.0f / 3.0f;
    DrawQuad(state_, quad);
    // Pixel 7.5 would be exactly halfway; pixel 8's centre is at 8.5 of 16.
    const double s = 8.5 / 16.0;
    const double u = (s / 3.0) / ((1 - s) + s / 3.0);
    EXPECT_EQ(At(8, 0) & 0xFF, static_cast<uint32_t>(static_cast<int>(u * 16) * 16));
}

}  // namespace
