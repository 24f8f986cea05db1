// Work left undone under later opaque sprites must not change a single pixel or depth value:
// random runs of big layers and sprites, drawn through the queue (which plans what is hidden)
// and drawn one by one at once, end in the same surfaces.
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "platform/raster/raster_test_support.h"
#include "raster/clear.h"
#include "raster/fused_span.h"
#include "raster/pending_draws.h"
#include "raster/texture.h"
#include "test_seam.h"

namespace {

using namespace platform::raster;

constexpr int kSize = 160;

struct Surfaces {
    ColorSurface color{kSize, kSize, ColorFormat::A8R8G8B8};
    DepthStencilSurface depth{kSize, kSize};
};

struct Call {
    DrawState state;  // its surfaces are filled in per copy
    std::vector<ScreenVertex> quad;
};

// A 32 x 32 atlas of four 16 x 16 cells: opaque; opaque but for a transparent edge column;
// half transparent; opaque in many colours.
Texture MakeAtlas() {
    Texture atlas(32, 32, 1, ColorFormat::A8R8G8B8);
    std::mt19937 random(3);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int cell = (y / 16) * 2 + x / 16;
            uint32_t texel = 0xFF000000u | (random() & 0xFFFFFF);
            if ((cell == 1 && x % 16 == 15) || cell == 2) {
                texel = (texel & 0xFFFFFF) | (cell == 2 ? 0x80000000u : 0u);
            }
            atlas.level(0).row(y)[x] = texel;
        }
    }
    return atlas;
}

class HiddenWorkRuns : public ::testing::Test {
  protected:
    void SetUp() override { platform::testing::StartTrace(); }

    DrawState Base() const {
        DrawState state;
        state.texture = &atlas;
        state.viewport = Viewport{0, 0, kSize, kSize, 0.0f, 1.0f};
        state.render.cullMode = Cull::None;
        raster_test::BlendTexelsOver(state);
        return state;
    }

    // A layer larger than the target, turned, drawn added or over.
    Call Layer() {
        Call call{Base(), {}};
        call.state.render.srcBlend = Pick(2) ? Blend::One : Blend::SrcAlpha;
        call.state.render.destBlend =
            call.state.render.srcBlend == Blend::One ? Blend::One : Blend::InvSrcAlpha;
        call.state.render.zWriteEnable = Pick(4) != 0;
        call.state.sampler.magFilter = call.state.sampler.minFilter = TextureFilter::Linear;
        // Clamped, the layer takes the fused path, like the game's background; wrapped, the
        // staged one.
        if (Pick(4) != 0) {
            call.state.sampler.addressU = call.state.sampler.addressV = TextureAddress::Clamp;
        }
        const float angle = std::uniform_real_distribution<float>(0, 6.3f)(random);
        const float z = Pick(2) ? 1.0f : 0.9f;
        const float c = std::cos(angle) * 130, s = std::sin(angle) * 130;
        const float cx = 80, cy = 80;
        const uint32_t diffuse = 0xFF404040u | (random() & 0x3F3F3F);
        call.quad = {{cx - c + s, cy - s - c, z, 1, diffuse, 0, 0},
                     {cx + c + s, cy + s - c, z, 1, diffuse, 1, 0},
                     {cx - c - s, cy - s + c, z, 1, diffuse, 0, 1},
                     {cx + c - s, cy + s + c, z, 1, diffuse, 1, 1}};
        return call;
    }

    // A 16- or 24-pixel sprite of one atlas cell, at whole, half or other positions.
    Call Sprite() {
        Call call{Base(), {}};
        const float steps[] = {0.0f, 0.5f, 0.25f};
        const float x = static_cast<float>(random() % 150) - 4 + steps[Pick(3)] - 0.5f;
        const float y = static_cast<float>(random() % 150) - 4 + steps[Pick(3)] - 0.5f;
        const float size = Pick(4) ? 16.0f : 24.0f;
        const int cell = Pick(4);
        const float u = (cell % 2) * 0.5f, v = (cell / 2) * 0.5f;
        const float depths[] = {0.0f, 0.5f, 0.75f, 0.9f, 1.0f};
        const float z = depths[Pick(5)];
        const uint32_t diffuse = (Pick(6) ? 0xFF000000u : 0x80000000u) | (random() & 0xFFFFFF);
        const CmpFunc funcs[] = {CmpFunc::LessEqual, CmpFunc::Less, CmpFunc::Always};
        call.state.render.zFunc = funcs[Pick(3)];
        call.state.render.zWriteEnable = Pick(5) != 0;
        call.state.render.alphaBlendEnable = Pick(6) != 0;
        if (Pick(2)) {
            call.state.sampler.magFilter = call.state.sampler.minFilter = TextureFilter::Linear;
        }
        call.quad = {{x, y, z, 1, diffuse, u, v},
                     {x + size, y, z, 1, diffuse, u + 0.5f, v},
                     {x, y + size, z, 1, diffuse, u, v + 0.5f},
                     {x + size, y + size, z, 1, diffuse, u + 0.5f, v + 0.5f}};
        return call;
    }

    int Pick(int n) { return static_cast<int>(random() % n); }

    // The same start on both: random colours; depth cleared to 1 (known) or random words.
    void Start(Surfaces& queued, Surfaces& direct, bool clearDepth) {
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const uint32_t colour = random();
                const uint32_t depth = random();
                queued.color.row(y)[x] = direct.color.row(y)[x] = colour;
                queued.depth.row(y)[x] = direct.depth.row(y)[x] = depth;
            }
        }
        if (clearDepth) {
            const Rect whole{0, 0, kSize, kSize};
            ClearDepthStencil(queued.depth, true, 1.0f, true, 0, {}, whole);
            ClearDepthStencil(direct.depth, true, 1.0f, true, 0, {}, whole);
        }
    }

    std::mt19937 random{11};
    Texture atlas = MakeAtlas();
};

TEST_F(HiddenWorkRuns, LeavesEveryPixelAndDepthAsDrawingEverythingWould) {
    int scenes = 0;
    for (int scene = 0; scene < 120; ++scene) {
        std::vector<Call> calls;
        const int layers = 1 + Pick(2);
        for (int k = 0; k < layers; ++k) {
            calls.push_back(Layer());
        }
        const int sprites = Pick(60);
        for (int k = 0; k < sprites; ++k) {
            calls.push_back(Pick(12) ? Sprite() : Layer());
        }
        Surfaces queued, direct;
        Start(queued, direct, Pick(3) != 0);
        const int64_t hiddenBefore = platform::testing::TraceCount("Device.DrawsPartlyHidden");
        PendingDraws pending;
        for (Call& call : calls) {
            call.state.target = &queued.color;
            call.state.depthStencil = &queued.depth;
            pending.Add(call.state, PrimitiveType::TriangleStrip, call.quad, 2);
        }
        pending.Flush();
        for (Call& call : calls) {
            call.state.target = &direct.color;
            call.state.depthStencil = &direct.depth;
            DrawPrimitive(call.state, PrimitiveType::TriangleStrip, call.quad, 2);
        }
        if (platform::testing::TraceCount("Device.DrawsPartlyHidden") > hiddenBefore) {
            ++scenes;
        }
        ASSERT_TRUE(std::equal(queued.color.data(), queued.color.data() + kSize * kSize,
                               direct.color.data()))
            << "scene " << scene;
        ASSERT_TRUE(std::equal(queued.depth.data(), queued.depth.data() + kSize * kSize,
                               direct.depth.data()))
            << "scene " << scene;
    }
    // The runs must have left work undone, on both paths, or they prove nothing.
    EXPECT_GT(scenes, 40);
    if (FusedSpanModeSupported(FusedSpanMode::Sse2)) {
        using platform::testing::TraceCount;
        EXPECT_GT(TraceCount("FusedSpan.Sse2") + TraceCount("FusedSpan.Avx2") +
                      TraceCount("FusedSpan.Avx512"),
                  0);
    }
}

TEST_F(HiddenWorkRuns, ASpriteOnTopHidesTheLayerUnderIt) {
    Surfaces surfaces;
    ClearDepthStencil(surfaces.depth, true, 1.0f, true, 0, {}, Rect{0, 0, kSize, kSize});
    Call layer = Layer();
    Call sprite{Base(), {}};
    sprite.state.render.alphaBlendEnable = false;
    sprite.quad = {{20, 20, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                   {120, 20, 0.5f, 1, 0xFFFFFFFF, 0.5f, 0},
                   {20, 120, 0.5f, 1, 0xFFFFFFFF, 0, 0.5f},
                   {120, 120, 0.5f, 1, 0xFFFFFFFF, 0.5f, 0.5f}};
    PendingDraws pending;
    for (Call* call : {&layer, &sprite}) {
        call->state.target = &surfaces.color;
        call->state.depthStencil = &surfaces.depth;
        pending.Add(call->state, PrimitiveType::TriangleStrip, call->quad, 2);
    }
    pending.Flush();
    EXPECT_EQ(platform::testing::TraceCount("Device.DrawsPartlyHidden"), 1);
    // A sprite that tests against a nearer depth than the layer's is not sure to be drawn.
    for (ScreenVertex& v : sprite.quad) {
        v.z = 1.0f;
    }
    for (ScreenVertex& v : layer.quad) {
        v.z = 0.9f;
    }
    for (Call* call : {&layer, &sprite}) {
        pending.Add(call->state, PrimitiveType::TriangleStrip, call->quad, 2);
    }
    pending.Flush();
    EXPECT_EQ(platform::testing::TraceCount("Device.DrawsPartlyHidden"), 1);
}

}  // namespace
