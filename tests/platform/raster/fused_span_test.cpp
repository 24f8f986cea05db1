// The fused path against the staged pipeline: random triangles, textures, colours and states
// (additive layers, alpha-blended sprites, untextured fades) drawn both ways over the same
// random target and depth contents must give the same pixels and depth words, bit for bit.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "raster/fused_span.h"
#include "raster_test_support.h"
#include "test_seam.h"

namespace {

using namespace raster_test;

class Random {
  public:
    explicit Random(uint32_t seed) : state_(seed) {}
    uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ ^ (state_ >> 15);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    float Between(float lo, float hi) { return lo + (hi - lo) * (Next() % 100000) / 100000.0f; }
    bool Chance(int percent) { return Below(100) < percent; }

  private:
    uint32_t state_;
};

Texture RandomTexture(Random& random) {
    static const int kSizes[] = {1, 2, 3, 7, 16, 33, 64, 80};
    const int w = kSizes[random.Below(8)], h = kSizes[random.Below(8)];
    Texture texture(w, h, 1, random.Chance(20) ? ColorFormat::X8R8G8B8 : ColorFormat::A8R8G8B8);
    const bool holes = random.Chance(50);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t texel = random.Next();
            if (holes && random.Chance(30)) {
                texel &= 0x00FFFFFF;
            }
            texture.level(0).row(y)[x] = texel;
        }
    }
    return texture;
}

// A magnified, rotated quad like a background layer, or a loose triangle strip.
std::vector<ScreenVertex> RandomQuad(Random& random, int width, int height) {
    const float cx = random.Between(-10, width + 10.0f), cy = random.Between(-10, height + 10.0f);
    // Some quads stand upright with their depth sloping down the screen only: level rows.
    const bool upright = random.Chance(15);
    const float size = random.Between(2, 3 * width);
    const float angle = upright ? 0.0f : random.Between(0, 6.2832f);
    const float c = std::cos(angle) * size / 2, s = std::sin(angle) * size / 2;
    const float u0 = random.Between(-0.5f, 0.5f), v0 = random.Between(-0.5f, 0.5f);
    const float u1 = random.Between(0.5f, 1.5f), v1 = random.Between(0.5f, 1.5f);
    const float z = random.Chance(80) ? random.Between(0, 1) : 1.0f;
    const float zBelow = upright ? random.Between(0, 1) : z;
    const uint32_t color = random.Next();
    auto corner = [&](float dx, float dy, float u, float v) {
        ScreenVertex vertex =
            Vertex(cx + dx * c - dy * s, cy + dx * s + dy * c, color, u, v, dy < 0 ? z : zBelow);
        if (random.Chance(3)) {
            vertex.diffuse = random.Next();  // not flat: the staged path takes it
        }
        if (random.Chance(3)) {
            vertex.z = random.Between(0, 1);  // sloped depth: also the staged path
        }
        return vertex;
    };
    return {corner(-1, -1, u0, v0), corner(1, -1, u1, v0), corner(-1, 1, u0, v1),
            corner(1, 1, u1, v1)};
}

// The texture unscaled at a whole-pixel offset, so every sample falls on a texel centre (the
// play field's copy to the screen, unscaled sprites).
std::vector<ScreenVertex> OneToOneQuad(Random& random, const Texture& texture) {
    const float x0 = static_cast<float>(random.Below(40) - 10) - 0.5f;
    const float y0 = static_cast<float>(random.Below(30) - 10) - 0.5f;
    const float x1 = x0 + static_cast<float>(texture.width());
    const float y1 = y0 + static_cast<float>(texture.height());
    const uint32_t color = random.Chance(50) ? 0xFFFFFFFFu : random.Next();
    const float z = random.Between(0, 1);
    return {Vertex(x0, y0, color, 0, 0, z), Vertex(x1, y0, color, 1, 0, z),
            Vertex(x0, y1, color, 0, 1, z), Vertex(x1, y1, color, 1, 1, z)};
}

struct Scene {
    ColorSurface target;
    DepthStencilSurface depth;
};

Scene RandomScene(Random& random, int width, int height, ColorFormat format) {
    Scene scene{ColorSurface(width, height, format), DepthStencilSurface(width, height)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            scene.target.row(y)[x] = random.Next() & (random.Chance(50) ? 0x7F7F7F7F : ~0u);
            scene.depth.row(y)[x] =
                random.Chance(50) ? 0xFFFFFF00u | (random.Next() & 0xFF) : random.Next();
        }
    }
    return scene;
}

DrawState RandomLayerState(Random& random, Scene& scene, const Texture& texture) {
    DrawState state = StateFor(scene.target);
    state.texture = random.Chance(85) ? &texture : nullptr;
    state.depthStencil = random.Chance(70) ? &scene.depth : nullptr;
    state.render.zEnable = random.Chance(90);
    state.render.zWriteEnable = random.Chance(70);
    state.render.alphaTestEnable = random.Chance(70);
    state.render.alphaFunc = random.Chance(85) ? CmpFunc::Greater : CmpFunc::Always;
    state.render.alphaRef = static_cast<uint8_t>(random.Chance(50) ? 0 : random.Below(256));
    state.render.alphaBlendEnable = true;
    state.render.srcBlend = state.render.destBlend = Blend::One;
    if (random.Chance(50)) {
        state.render.srcBlend = Blend::SrcAlpha;
        state.render.destBlend = Blend::InvSrcAlpha;
    }
    state.stage.colorOp = TextureOp::Modulate;
    state.stage.colorArg1 = TextureArg::Texture;
    state.stage.colorArg2 = random.Chance(50) ? TextureArg::Diffuse : TextureArg::Current;
    state.stage.alphaOp = random.Chance(60) ? TextureOp::Modulate : TextureOp::SelectArg1;
    state.stage.alphaArg1 = TextureArg::Texture;
    state.stage.alphaArg2 = TextureArg::Diffuse;
    state.sampler.addressU = state.sampler.addressV = TextureAddress::Clamp;
    state.sampler.magFilter = state.sampler.minFilter =
        random.Chance(50) ? TextureFilter::Linear : TextureFilter::Anisotropic;
    return state;
}

struct Width {
    FusedSpanMode mode;
    const char* counter;  // the seam's count of spans this loop drew
    const char* missing;  // why a processor cannot run it
};

const Width kWidths[] = {
    {FusedSpanMode::Portable, "FusedSpan.Portable", ""},
    {FusedSpanMode::Sse2, "FusedSpan.Sse2", "this processor has no SSE2"},
    {FusedSpanMode::Avx2, "FusedSpan.Avx2", "this processor has no AVX2"},
    {FusedSpanMode::Avx512, "FusedSpan.Avx512", "this processor has no AVX-512 (F, BW, VL)"},
};

class FusedSpanWidthTest : public ::testing::TestWithParam<Width> {
  protected:
    void SetUp() override {
        if (!FusedSpanModeSupported(GetParam().mode)) {
            GTEST_SKIP() << GetParam().missing;
        }
        platform::testing::StartTrace();
    }
    void TearDown() override {
        SetFusedSpanMode(FusedSpanMode::Best);
        platform::testing::ClearTrace();
    }
};

TEST_P(FusedSpanWidthTest, RandomLayersMatchTheStagedPipelineExactly) {
    Random random(2024 + static_cast<uint32_t>(GetParam().mode));
    constexpr int kWidth = 83, kHeight = 61;
    for (int round = 0; round < 300; ++round) {
        const ColorFormat format =
            random.Chance(50) ? ColorFormat::X8R8G8B8 : ColorFormat::A8R8G8B8;
        const uint32_t seed = random.Next();
        Random sceneRandom(seed);
        Scene fused = RandomScene(sceneRandom, kWidth, kHeight, format);
        Random again(seed);
        Scene staged = RandomScene(again, kWidth, kHeight, format);
        const Texture texture = RandomTexture(random);
        const uint32_t stateSeed = random.Next();
        const std::vector<ScreenVertex> quad =
            random.Chance(25) ? OneToOneQuad(random, texture) : RandomQuad(random, kWidth, kHeight);
        for (Scene* scene : {&fused, &staged}) {
            Random stateRandom(stateSeed);
            const DrawState state = RandomLayerState(stateRandom, *scene, texture);
            ASSERT_TRUE(SetFusedSpanMode(scene == &fused ? GetParam().mode : FusedSpanMode::Off));
            DrawQuad(state, quad);
        }
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                ASSERT_EQ(fused.target.row(y)[x], staged.target.row(y)[x])
                    << "round " << round << " at " << x << ", " << y;
                ASSERT_EQ(fused.depth.row(y)[x], staged.depth.row(y)[x])
                    << "round " << round << " at " << x << ", " << y;
            }
        }
    }
    // The comparison means something only if this loop drew the fused side.
    EXPECT_GT(platform::testing::TraceCount(GetParam().counter), 1000);
    EXPECT_GT(platform::testing::TraceCount("FusedSpan.OneToOne"), 100);
    for (const Width& other : kWidths) {
        if (other.mode != GetParam().mode) {
            EXPECT_EQ(platform::testing::TraceCount(other.counter), 0) << other.counter;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, FusedSpanWidthTest, ::testing::ValuesIn(kWidths),
                         [](const ::testing::TestParamInfo<Width>& info) {
                             return std::string(info.param.counter + 10);  // after "FusedSpan."
                         });

TEST(FusedSpanTest, TheDefaultIsTheWidestLoopTheProcessorRuns) {
    const Width* widest = &kWidths[0];
    for (const Width& width : kWidths) {
        if (FusedSpanModeSupported(width.mode)) {
            widest = &width;
        }
    }
    EXPECT_TRUE(FusedSpanModeSupported(FusedSpanMode::Best));
    platform::testing::StartTrace();
    ColorSurface target(40, 8, ColorFormat::A8R8G8B8);
    DrawState state = StateFor(target);
    state.render.alphaBlendEnable = true;
    state.render.srcBlend = state.render.destBlend = Blend::One;
    DrawQuad(state, {Vertex(0, 0, 0xFF102030, 0, 0, 0), Vertex(40, 0, 0xFF102030, 1, 0, 0),
                     Vertex(0, 8, 0xFF102030, 0, 1, 0), Vertex(40, 8, 0xFF102030, 1, 1, 0)});
    EXPECT_GE(platform::testing::TraceCount(widest->counter), 8) << "a span or two a row";
    EXPECT_EQ(target.row(4)[20], 0xFF102030u);
    platform::testing::ClearTrace();
}

TEST(FusedSpanTest, OnlyTheMatchingStatesTakeTheFusedPath) {
    ColorSurface target(4, 4, ColorFormat::A8R8G8B8);
    Texture texture(2, 2, 1, ColorFormat::A8R8G8B8);
    DrawState state = StateFor(target);
    state.texture = &texture;
    state.render.alphaBlendEnable = true;
    state.render.srcBlend = state.render.destBlend = Blend::One;
    state.sampler.addressU = state.sampler.addressV = TextureAddress::Clamp;
    EXPECT_TRUE(FusedSpanFor(state).usable);

    DrawState other = state;
    other.render.destBlend = Blend::InvSrcAlpha;
    EXPECT_FALSE(FusedSpanFor(other).usable);
    other = state;
    other.sampler.addressV = TextureAddress::Wrap;
    EXPECT_FALSE(FusedSpanFor(other).usable);
    other = state;
    other.render.colorWriteEnable = 0x7;
    EXPECT_FALSE(FusedSpanFor(other).usable);
    other = state;
    other.stage.colorArg2 = TextureArg::Diffuse | TextureArg::Complement;
    EXPECT_FALSE(FusedSpanFor(other).usable);
    other = state;
    other.render.alphaTestEnable = true;
    other.render.alphaFunc = CmpFunc::Less;
    EXPECT_FALSE(FusedSpanFor(other).usable);
    other = state;
    other.render.srcBlend = Blend::SrcAlpha;
    other.render.destBlend = Blend::InvSrcAlpha;
    EXPECT_TRUE(FusedSpanFor(other).usable);
    other.texture = nullptr;
    EXPECT_TRUE(FusedSpanFor(other).usable);
    other.render.destBlend = Blend::One;
    EXPECT_FALSE(FusedSpanFor(other).usable);
}

}  // namespace
