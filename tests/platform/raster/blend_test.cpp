// Blending, the colour write and texture stage 0 operations, pixel by pixel.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "raster/clear.h"
#include "raster_test_support.h"

namespace {

using namespace raster_test;

class BlendTest : public ::testing::Test {
  protected:
    BlendTest() : target_(4, 4, ColorFormat::A8R8G8B8), state_(StateFor(target_)) {
        state_.stage.alphaOp = TextureOp::SelectArg2;
        state_.stage.alphaArg2 = TextureArg::Diffuse;
    }

    // Fills the target with dest, draws one source-coloured pixel at (0, 0), returns it.
    uint32_t Blend(Blend src, Blend dest, uint32_t source, uint32_t destination,
                   BlendOp op = BlendOp::Add) {
        ClearColor(target_, destination, {}, Rect{0, 0, 4, 4});
        state_.render.alphaBlendEnable = true;
        state_.render.srcBlend = src;
        state_.render.destBlend = dest;
        state_.render.blendOp = op;
        // The whole row, so the vector paths of the blender run, not just their tails.
        DrawQuad(state_, Quad(-0.5f, -0.5f, 3.5f, 0.5f, source));
        for (int x = 1; x < 4; ++x) {
            EXPECT_EQ(target_.row(0)[x], target_.row(0)[0]) << x;
        }
        return target_.row(0)[0];
    }

    ColorSurface target_;
    DrawState state_;
};

TEST_F(BlendTest, OpaqueAndDisabledBlendingReplace) {
    EXPECT_EQ(Blend(Blend::One, Blend::Zero, 0x80123456, 0xFFFFFFFF), 0x80123456u);
    state_.render.alphaBlendEnable = false;
    ClearColor(target_, 0xFFFFFFFF, {}, Rect{0, 0, 4, 4});
    state_.render.srcBlend = Blend::Zero;  // ignored while blending is off
    DrawQuad(state_, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x80123456));
    EXPECT_EQ(target_.row(0)[0], 0x80123456u);
}

TEST_F(BlendTest, AdditiveBlendingSaturates) {
    EXPECT_EQ(Blend(Blend::One, Blend::One, 0x40C01020, 0xFF80F010), 0xFFFFFF30u);
    // SRCALPHA / ONE adds the source scaled by its alpha.
    EXPECT_EQ(Blend(Blend::SrcAlpha, Blend::One, 0x80FF8000, 0x00102030), 0x40906030u);
}

TEST_F(BlendTest, SourceAlphaOverDestination) {
    EXPECT_EQ(Blend(Blend::SrcAlpha, Blend::InvSrcAlpha, 0xFF000000, 0xFFFFFFFF), 0xFF000000u);
    EXPECT_EQ(Blend(Blend::SrcAlpha, Blend::InvSrcAlpha, 0x00FF0000, 0xFF00FF00), 0xFF00FF00u);
    // 0x80 = 128/255 of white over black: each channel round(255 * 128 / 255) = 128.
    EXPECT_EQ(Blend(Blend::SrcAlpha, Blend::InvSrcAlpha, 0x80FFFFFF, 0x00000000), 0x40808080u);
    EXPECT_EQ(Blend(Blend::SrcAlpha, Blend::InvSrcAlpha, 0x40FF0000, 0xFF0000FF), 0xCF4000BFu);
}

TEST_F(BlendTest, SourceAlphaOverVaryingAlphaMatchesTheFormulaOnEveryPixel) {
    ColorSurface row(13, 1, ColorFormat::A8R8G8B8);
    ClearColor(row, 0xFF3366CC, {}, Rect{0, 0, 13, 1});
    state_ = StateFor(row);
    state_.stage.alphaOp = TextureOp::SelectArg2;
    state_.stage.alphaArg2 = TextureArg::Diffuse;
    state_.render.alphaBlendEnable = true;
    state_.render.srcBlend = Blend::SrcAlpha;
    state_.render.destBlend = Blend::InvSrcAlpha;
    std::vector<ScreenVertex> quad = Quad(-0.5f, -0.5f, 12.5f, 0.5f, 0x00F08010);
    quad[1].diffuse = quad[3].diffuse = 0xFFF08010;
    DrawQuad(state_, quad);
    for (int x = 0; x < 13; ++x) {
        // The source alpha runs from 0 to 255 across the row.
        const int alpha = static_cast<int>((x + 0.5) / 13 * 255 + 0.5);
        const uint32_t source = 0x00F08010 | static_cast<uint32_t>(alpha) << 24;
        uint32_t expected = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const int value = (Channel(source, shift) * alpha +
                               Channel(0xFF3366CC, shift) * (255 - alpha) + 127) /
                              255;
            expected |= static_cast<uint32_t>(value) << shift;
        }
        EXPECT_LE(LargestChannelDifference(row.row(0)[x], expected), 1) << x;
    }
}

// The straightforward definition: each term rounded separately, then combined with saturation.
uint32_t ReferenceBlend(platform::raster::Blend sf, platform::raster::Blend df, uint32_t s,
                        uint32_t d, BlendOp op) {
    auto factor = [&](platform::raster::Blend f, int shift) -> int {
        const int sa = Channel(s, 24), da = Channel(d, 24);
        const int sc = Channel(s, shift), dc = Channel(d, shift);
        switch (f) {
            case Blend::Zero:
                return 0;
            case Blend::One:
                return 255;
            case Blend::SrcColor:
                return sc;
            case Blend::InvSrcColor:
                return 255 - sc;
            case Blend::SrcAlpha:
                return sa;
            case Blend::InvSrcAlpha:
                return 255 - sa;
            case Blend::DestAlpha:
                return da;
            case Blend::InvDestAlpha:
                return 255 - da;
            case Blend::DestColor:
                return dc;
            case Blend::InvDestColor:
                return 255 - dc;
            default:
                return 0;
        }
    };
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = (Channel(s, shift) * factor(sf, shift) + 127) / 255;
        const int b = (Channel(d, shift) * factor(df, shift) + 127) / 255;
        int r = a + b;
        if (op == BlendOp::Subtract)
            r = a - b;
        if (op == BlendOp::RevSubtract)
            r = b - a;
        if (op == BlendOp::Min)
            r = std::min(Channel(s, shift), Channel(d, shift));
        if (op == BlendOp::Max)
            r = std::max(Channel(s, shift), Channel(d, shift));
        out |= static_cast<uint32_t>(std::clamp(r, 0, 255)) << shift;
    }
    return out;
}

TEST_F(BlendTest, EveryFactorPairMatchesTheDefinition) {
    const uint32_t source = 0x9A3C80F0, destination = 0x5BE01077;
    for (int sf = 1; sf <= 10; ++sf) {
        for (int df = 1; df <= 10; ++df) {
            for (BlendOp op : {BlendOp::Add, BlendOp::Subtract, BlendOp::RevSubtract}) {
                const auto s = static_cast<platform::raster::Blend>(sf);
                const auto d = static_cast<platform::raster::Blend>(df);
                const uint32_t actual = Blend(s, d, source, destination, op);
                EXPECT_LE(
                    LargestChannelDifference(actual, ReferenceBlend(s, d, source, destination, op)),
                    1)
                    << sf << "/" << df << " op " << static_cast<int>(op) << std::hex << " got "
                    << actual;
            }
        }
    }
    EXPECT_EQ(Blend(Blend::One, Blend::One, source, destination, BlendOp::Min), 0x5B3C1077u);
    EXPECT_EQ(Blend(Blend::One, Blend::One, source, destination, BlendOp::Max), 0x9AE080F0u);
}

TEST_F(BlendTest, X8TargetReadsAlpha255AndStoresFF) {
    ColorSurface x8(2, 1, ColorFormat::X8R8G8B8);
    state_ = StateFor(x8);
    state_.stage.alphaOp = TextureOp::SelectArg2;
    state_.stage.alphaArg2 = TextureArg::Diffuse;
    DrawQuad(state_, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x20112233));
    EXPECT_EQ(x8.row(0)[0], 0xFF112233u);
    // DESTALPHA on X8 is 1: the destination colour comes back whole.
    x8.row(0)[1] = 0x00406080;  // alpha byte as someone else left it
    state_.render.alphaBlendEnable = true;
    state_.render.srcBlend = Blend::Zero;
    state_.render.destBlend = Blend::DestAlpha;
    DrawQuad(state_, Quad(0.5f, -0.5f, 1.5f, 0.5f, 0x20112233));
    EXPECT_EQ(x8.row(0)[1], 0xFF406080u);
}

TEST_F(BlendTest, ColorWriteMaskKeepsTheMaskedChannels) {
    ClearColor(target_, 0x11223344, {}, Rect{0, 0, 4, 4});
    state_.render.colorWriteEnable = 0x1 | 0x8;  // red and alpha
    DrawQuad(state_, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0xAABBCCDD));
    EXPECT_EQ(target_.row(0)[0], 0xAABB3344u);
}

TEST_F(BlendTest, TextureStageOperations) {
    Texture texture(1, 1, 1, ColorFormat::A8R8G8B8);
    texture.level(0).row(0)[0] = 0x80FF4020;
    state_.texture = &texture;
    auto draw = [&](TextureOp colorOp, TextureOp alphaOp) {
        state_.stage = TextureStage{colorOp, TextureArg::Texture, TextureArg::Diffuse,
                                    alphaOp, TextureArg::Texture, TextureArg::Diffuse};
        DrawQuad(state_, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x40806040));
        return target_.row(0)[0];
    };
    EXPECT_EQ(draw(TextureOp::Modulate, TextureOp::Modulate), 0x20801808u);
    EXPECT_EQ(draw(TextureOp::SelectArg1, TextureOp::SelectArg2), 0x40FF4020u);
    EXPECT_EQ(draw(TextureOp::SelectArg2, TextureOp::SelectArg1), 0x80806040u);
    EXPECT_EQ(draw(TextureOp::Add, TextureOp::Add), 0xC0FFA060u);
    EXPECT_EQ(draw(TextureOp::Disable, TextureOp::SelectArg1), 0x40806040u);
    EXPECT_EQ(draw(TextureOp::Modulate2x, TextureOp::Subtract), 0x40FF3010u);
    // Modifiers: the complement of the texture, and its alpha replicated.
    state_.stage = TextureStage{TextureOp::SelectArg1,
                                TextureArg::Texture | TextureArg::Complement,
                                TextureArg::Diffuse,
                                TextureOp::SelectArg1,
                                TextureArg::Texture | TextureArg::AlphaReplicate,
                                TextureArg::Diffuse};
    DrawQuad(state_, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0x40806040));
    EXPECT_EQ(target_.row(0)[0], 0x8000BFDFu);
}

TEST_F(BlendTest, GouraudColourIsInterpolatedAcrossTheTriangle) {
    ColorSurface wide(8, 1, ColorFormat::A8R8G8B8);
    state_ = StateFor(wide);
    std::vector<ScreenVertex> quad = Quad(-0.5f, -0.5f, 7.5f, 0.5f, 0);
    quad[0].diffuse = quad[2].diffuse = 0xFF000000;
    quad[1].diffuse = quad[3].diffuse = 0xFFFF0000;
    DrawQuad(state_, quad);
    for (int x = 0; x < 8; ++x) {
        const int expected = static_cast<int>((x + 0.5) / 8 * 255 + 0.5);
        EXPECT_NEAR(Channel(wide.row(0)[x], 16), expected, 1) << x;
    }
}

}  // namespace
