// Alpha test, depth test and write, and clears of colour, depth and stencil.
#include <vector>

#include <gtest/gtest.h>

#include "raster/clear.h"
#include "raster/pixel_tests.h"
#include "raster_test_support.h"

namespace {

using namespace raster_test;

class DepthAndAlphaTest : public ::testing::Test {
  protected:
    DepthAndAlphaTest()
        : target_(8, 8, ColorFormat::A8R8G8B8), depth_(8, 8), state_(StateFor(target_)) {
        state_.depthStencil = &depth_;
        ClearDepthStencil(depth_, true, 1.0f, true, 0x5A, {}, Rect{0, 0, 8, 8});
    }

    void DrawAt(float z, uint32_t color) {
        DrawQuad(state_, Quad(-0.5f, -0.5f, 3.5f, 3.5f, color, 0, 0, 1, 1, z));
    }

    ColorSurface target_;
    DepthStencilSurface depth_;
    DrawState state_;
};

TEST_F(DepthAndAlphaTest, NearerQuadWinsInEitherOrder) {
    DrawAt(0.25f, 0xFFFF0000);
    DrawAt(0.75f, 0xFF00FF00);
    EXPECT_EQ(target_.row(1)[1], 0xFFFF0000u);
    EXPECT_EQ(depth_.Depth(1, 1), DepthToD24(0.25f));
    EXPECT_EQ(depth_.Stencil(1, 1), 0x5A);

    ClearDepthStencil(depth_, true, 1.0f, false, 0, {}, Rect{0, 0, 8, 8});
    DrawAt(0.75f, 0xFF00FF00);
    DrawAt(0.25f, 0xFFFF0000);
    EXPECT_EQ(target_.row(1)[1], 0xFFFF0000u);
    // LESSEQUAL lets an equal depth through.
    DrawAt(0.25f, 0xFF0000FF);
    EXPECT_EQ(target_.row(1)[1], 0xFF0000FFu);
}

TEST_F(DepthAndAlphaTest, SlopedQuadIntersectsALevelOne) {
    // Depth runs from 0 at the left edge to 1 at the right: pixel x sits at (x + 0.5) / 8.
    std::vector<ScreenVertex> sloped = Quad(-0.5f, -0.5f, 7.5f, 1.5f, 0xFFFF0000);
    sloped[0].z = sloped[2].z = 0.0f;
    sloped[1].z = sloped[3].z = 1.0f;
    DrawQuad(state_, sloped);
    EXPECT_EQ(depth_.Depth(2, 0), DepthToD24(2.5f / 8));
    DrawQuad(state_, Quad(-0.5f, -0.5f, 7.5f, 1.5f, 0xFF0000FF, 0, 0, 1, 1, 0.5f));
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(target_.row(1)[x], x < 4 ? 0xFFFF0000u : 0xFF0000FFu) << x;
    }
}

TEST_F(DepthAndAlphaTest, DepthFunctionsAndSwitches) {
    DrawAt(0.5f, 0xFF000001);
    state_.render.zFunc = CmpFunc::Greater;
    DrawAt(0.25f, 0xFF000002);
    EXPECT_EQ(target_.row(0)[0], 0xFF000001u);
    DrawAt(0.75f, 0xFF000003);
    EXPECT_EQ(target_.row(0)[0], 0xFF000003u);
    // Without depth writes the test still applies but the buffer keeps its value.
    state_.render.zFunc = CmpFunc::Less;
    state_.render.zWriteEnable = false;
    DrawAt(0.5f, 0xFF000004);
    EXPECT_EQ(target_.row(0)[0], 0xFF000004u);
    EXPECT_EQ(depth_.Depth(0, 0), DepthToD24(0.75f));
    // With z off nothing is tested or written.
    state_.render.zEnable = false;
    state_.render.zWriteEnable = true;
    DrawAt(0.9f, 0xFF000005);
    EXPECT_EQ(target_.row(0)[0], 0xFF000005u);
    EXPECT_EQ(depth_.Depth(0, 0), DepthToD24(0.75f));
}

TEST_F(DepthAndAlphaTest, AlphaTestDropsTransparentPixelsWithoutWritingDepth) {
    Texture texture(2, 1, 1, ColorFormat::A8R8G8B8);
    texture.level(0).row(0)[0] = 0x00FF00FF;  // transparent
    texture.level(0).row(0)[1] = 0xFF00FF00;
    state_.texture = &texture;
    state_.render.alphaTestEnable = true;
    state_.render.alphaFunc = CmpFunc::Greater;
    state_.render.alphaRef = 0;
    ClearColor(target_, 0xFF101010, {}, Rect{0, 0, 8, 8});
    DrawQuad(state_, Quad(-0.5f, -0.5f, 1.5f, 0.5f, 0xFFFFFFFF, 0, 0, 1, 1, 0.0f));
    EXPECT_EQ(target_.row(0)[0], 0xFF101010u);
    EXPECT_EQ(depth_.Depth(0, 0), 0xFFFFFFu);
    EXPECT_EQ(target_.row(0)[1], 0xFF00FF00u);
    EXPECT_EQ(depth_.Depth(1, 0), 0u);
}

TEST_F(DepthAndAlphaTest, ComparisonFunctions) {
    const CmpFunc funcs[] = {CmpFunc::Never,        CmpFunc::Less,    CmpFunc::Equal,
                             CmpFunc::LessEqual,    CmpFunc::Greater, CmpFunc::NotEqual,
                             CmpFunc::GreaterEqual, CmpFunc::Always};
    const bool below[] = {false, true, false, true, false, true, false, true};
    const bool equal[] = {false, false, true, true, false, false, true, true};
    const bool above[] = {false, false, false, false, true, true, true, true};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Compare(funcs[i], 1, 2), below[i]) << i;
        EXPECT_EQ(Compare(funcs[i], 2, 2), equal[i]) << i;
        EXPECT_EQ(Compare(funcs[i], 3, 2), above[i]) << i;
    }
    // The alpha test uses them with the reference on the right.
    state_.depthStencil = nullptr;
    state_.render.alphaTestEnable = true;
    state_.render.alphaFunc = CmpFunc::GreaterEqual;
    state_.render.alphaRef = 0x80;
    state_.stage.alphaOp = TextureOp::SelectArg2;
    state_.stage.alphaArg2 = TextureArg::Diffuse;
    DrawQuad(state_, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x7F0000FF));
    DrawQuad(state_, Quad(0.5f, -0.5f, 1.5f, 0.5f, 0x800000FF));
    EXPECT_EQ(target_.row(0)[0], 0u);
    EXPECT_EQ(target_.row(0)[1], 0x800000FFu);
}

TEST_F(DepthAndAlphaTest, DepthIsClampedToTheViewportRange) {
    state_.viewport.minZ = 0.25f;
    state_.viewport.maxZ = 0.5f;
    DrawAt(0.9f, 0xFF00FF00);
    EXPECT_EQ(depth_.Depth(2, 2), DepthToD24(0.5f));
}

TEST_F(DepthAndAlphaTest, ClearsFillRectanglesInsideTheClip) {
    const Rect rects[] = {{1, 1, 3, 3}, {6, 6, 12, 12}};
    ClearColor(target_, 0xFF00FF00, rects, Rect{0, 0, 7, 7});
    EXPECT_EQ(target_.row(1)[1], 0xFF00FF00u);
    EXPECT_EQ(target_.row(3)[3], 0u);
    EXPECT_EQ(target_.row(6)[6], 0xFF00FF00u);
    EXPECT_EQ(target_.row(7)[7], 0u);
    ClearDepthStencil(depth_, false, 0.0f, true, 0x11, {}, Rect{2, 2, 4, 4});
    EXPECT_EQ(depth_.Stencil(2, 2), 0x11);
    EXPECT_EQ(depth_.Depth(2, 2), 0xFFFFFFu);
    EXPECT_EQ(depth_.Stencil(4, 4), 0x5A);
    ClearDepthStencil(depth_, true, 0.5f, false, 0, {}, Rect{-5, -5, 100, 100});
    EXPECT_EQ(depth_.Depth(7, 7), DepthToD24(0.5f));
    EXPECT_EQ(depth_.Stencil(2, 2), 0x11);

    ColorSurface x8(2, 2, ColorFormat::X8R8G8B8);
    ClearColor(x8, 0x00123456, {}, Rect{0, 0, 2, 2});
    EXPECT_EQ(x8.row(1)[1], 0xFF123456u);
}

}  // namespace
