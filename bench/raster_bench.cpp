// The rasteriser on the game's worst frame: the background twice (sixteen full-screen layers
// of a 512 x 512 texture rotated and magnified four times, additive, bilinear), the play field
// (300 alpha-blended, alpha-tested, depth-tested 32 x 32 sprites), 40 text quads, the copy of
// the off-screen picture to the back buffer and two full-screen fades, all at 640 x 480.
// Also the pieces on their own, to see where the time goes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "raster/clear.h"
#include "raster/rasterizer.h"

namespace {

using namespace platform::raster;

constexpr int kWidth = 640, kHeight = 480;

// A reproducible texture with some structure and, optionally, transparent holes.
Texture MakeTexture(int size, bool holes) {
    Texture texture(size, size, 1, ColorFormat::A8R8G8B8);
    uint32_t seed = 12345;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const uint32_t alpha = (holes && ((x / 4 + y / 4) % 5 == 0)) ? 0u : 0xFFu;
            texture.level(0).row(y)[x] = alpha << 24 | (seed >> 8 & 0xFFFFFF);
        }
    }
    return texture;
}

// The corners of a w x h texture region drawn rotated by `degrees` and scaled by `scale` about
// its centre, which lands on (cx, cy); half-pixel corrected like the sprite object does.
std::vector<ScreenVertex> SpriteQuad(float cx, float cy, float w, float h, float scale,
                                     float degrees, uint32_t color, float z, float u0, float v0,
                                     float u1, float v1) {
    const float c = std::cos(degrees * 0.017453292f), s = std::sin(degrees * 0.017453292f);
    auto corner = [&](float dx, float dy, float u, float v) {
        const float x = dx * w * 0.5f * scale, y = dy * h * 0.5f * scale;
        return ScreenVertex{
            cx + x * c - y * s - 0.5f, cy + x * s + y * c - 0.5f, z, 1.0f, color, u, v};
    };
    return {corner(-1, -1, u0, v0), corner(1, -1, u1, v0), corner(-1, 1, u0, v1),
            corner(1, 1, u1, v1)};
}

struct Frame {
    ColorSurface backBuffer{kWidth, kHeight, ColorFormat::X8R8G8B8};
    Texture render{kWidth, kHeight, 1, ColorFormat::A8R8G8B8};
    DepthStencilSurface depth{kWidth, kHeight};
    Texture background = MakeTexture(512, false);
    Texture atlas = MakeTexture(256, true);
    Texture font = MakeTexture(512, true);
    Rect screen{0, 0, kWidth, kHeight};

    DrawState SpriteState(ColorSurface& target, const Texture* texture) {
        DrawState state;
        state.target = &target;
        state.depthStencil = &depth;
        state.texture = texture;
        state.viewport = Viewport{0, 0, kWidth, kHeight, 0.0f, 1.0f};
        state.render.cullMode = Cull::None;
        state.render.alphaTestEnable = true;
        state.render.alphaFunc = CmpFunc::Greater;
        state.render.alphaBlendEnable = true;
        state.render.srcBlend = Blend::SrcAlpha;
        state.render.destBlend = Blend::InvSrcAlpha;
        state.stage = TextureStage{TextureOp::Modulate, TextureArg::Texture, TextureArg::Diffuse,
                                   TextureOp::Modulate, TextureArg::Texture, TextureArg::Diffuse};
        state.sampler.addressU = state.sampler.addressV = TextureAddress::Clamp;
        state.sampler.magFilter = state.sampler.minFilter = TextureFilter::Linear;
        return state;
    }

    void Background(ColorSurface& target, float time) {
        DrawState state = SpriteState(target, &background);
        state.render.srcBlend = Blend::One;
        state.render.destBlend = Blend::One;
        state.sampler.magFilter = state.sampler.minFilter = TextureFilter::Anisotropic;
        for (int k = 0; k < 8; ++k) {
            const float angle = 40.0f * k + time * ((k % 2) ? -1.0f : 1.0f) * (k + 1);
            DrawPrimitive(state, PrimitiveType::TriangleStrip,
                          SpriteQuad(320, 240, 512, 512, 4, angle, 0xFF401010, 1.0f, 0, 0, 1, 1),
                          2);
        }
    }

    void PlayField(ColorSurface& target) {
        DrawState state = SpriteState(target, &atlas);
        for (int i = 0; i < 300; ++i) {
            const float x = 48.0f + 32.0f * (i % 18), y = 24.0f + 32.0f * (i / 18 % 13);
            const float u = (i % 5) * 32.0f / 256.0f, v = (i / 5 % 4) * 32.0f / 256.0f;
            DrawPrimitive(state, PrimitiveType::TriangleStrip,
                          SpriteQuad(x, y, 32, 32, 1, 0, 0xFFFFFFFF, (i % 4) * 0.25f, u, v,
                                     u + 0.125f, v + 0.125f),
                          2);
        }
        DrawState text = SpriteState(target, &font);
        text.sampler.magFilter = text.sampler.minFilter = TextureFilter::Point;
        text.sampler.addressU = text.sampler.addressV = TextureAddress::Wrap;
        for (int i = 0; i < 40; ++i) {
            const float x = 16.0f + 32.0f * (i % 20), y = 400.0f + 32.0f * (i / 20);
            const float u = (i % 16) / 16.0f, v = (i / 16) / 16.0f;
            DrawPrimitive(
                text, PrimitiveType::TriangleStrip,
                SpriteQuad(x, y, 32, 32, 1, 0, 0xFFFFFFFF, 0.0f, u, v, u + 0.0625f, v + 0.0625f),
                2);
        }
    }

    void CopyAndFade() {
        DrawState copy = SpriteState(backBuffer, &render);
        copy.depthStencil = nullptr;
        DrawPrimitive(copy, PrimitiveType::TriangleStrip,
                      SpriteQuad(320, 240, kWidth, kHeight, 1, 0, 0xFFFFFFFF, 0, 0, 0, 1, 1), 2);
        DrawState fade = SpriteState(backBuffer, nullptr);
        fade.depthStencil = nullptr;
        fade.render.alphaTestEnable = false;
        for (int i = 0; i < 2; ++i) {
            DrawPrimitive(fade, PrimitiveType::TriangleStrip,
                          SpriteQuad(320, 240, kWidth, kHeight, 1, 0, 0x60000000, 0, 0, 0, 1, 1),
                          2);
        }
    }

    void WorstFrame(float time) {
        ClearColor(backBuffer, 0xFF000000, {}, screen);
        Background(backBuffer, time);
        ColorSurface& offscreen = render.level(0);
        ClearColor(offscreen, 0xFF000000, {}, screen);
        ClearDepthStencil(depth, true, 1.0f, true, 0, {}, screen);
        Background(offscreen, time);
        PlayField(offscreen);
        ClearColor(backBuffer, 0xFF000000, {}, screen);
        CopyAndFade();
    }
};

void BM_WorstFrame(benchmark::State& state) {
    Frame frame;
    float time = 0;
    for (auto _ : state) {
        frame.WorstFrame(time);
        time += 1.0f;
        benchmark::DoNotOptimize(frame.backBuffer.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WorstFrame)->Unit(benchmark::kMillisecond);

void BM_BackgroundEightLayers(benchmark::State& state) {
    Frame frame;
    float time = 0;
    for (auto _ : state) {
        // The frame's clear comes first, or the layers' depth test would reject every pixel.
        ClearDepthStencil(frame.depth, true, 1.0f, true, 0, {}, frame.screen);
        frame.Background(frame.backBuffer, time);
        time += 1.0f;
        benchmark::DoNotOptimize(frame.backBuffer.data());
    }
}
BENCHMARK(BM_BackgroundEightLayers)->Unit(benchmark::kMillisecond);

void BM_PlayFieldSpritesAndText(benchmark::State& state) {
    Frame frame;
    for (auto _ : state) {
        ClearDepthStencil(frame.depth, true, 1.0f, true, 0, {}, frame.screen);
        frame.PlayField(frame.render.level(0));
        benchmark::DoNotOptimize(frame.render.level(0).data());
    }
}
BENCHMARK(BM_PlayFieldSpritesAndText)->Unit(benchmark::kMillisecond);

void BM_CopyAndTwoFades(benchmark::State& state) {
    Frame frame;
    for (auto _ : state) {
        frame.CopyAndFade();
        benchmark::DoNotOptimize(frame.backBuffer.data());
    }
}
BENCHMARK(BM_CopyAndTwoFades)->Unit(benchmark::kMillisecond);

}  // namespace
