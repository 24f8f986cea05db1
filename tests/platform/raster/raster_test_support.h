// Helpers shared by the rasteriser tests: a default draw state over a target, quad and vertex
// builders, and a target's pixels as a picture for the tests' picture comparison.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "raster/draw_state.h"
#include "raster/rasterizer.h"
#include "support/PictureCompare.h"
#include "test_seam.h"

namespace raster_test {

using namespace platform::raster;

inline ScreenVertex Vertex(float x, float y, uint32_t color = 0xFFFFFFFF, float u = 0, float v = 0,
                           float z = 0.5f) {
    return ScreenVertex{x, y, z, 1.0f, color, u, v};
}

// A draw state over the whole target with culling off and everything else at its default.
inline DrawState StateFor(ColorSurface& target) {
    DrawState state;
    state.target = &target;
    state.viewport = Viewport{0, 0, target.width(), target.height(), 0.0f, 1.0f};
    state.render.cullMode = Cull::None;
    return state;
}

// A strip quad from (x0, y0) to (x1, y1) with texture coordinates (u0, v0)-(u1, v1).
inline std::vector<ScreenVertex> Quad(float x0, float y0, float x1, float y1, uint32_t color,
                                      float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1,
                                      float z = 0.5f) {
    return {Vertex(x0, y0, color, u0, v0, z), Vertex(x1, y0, color, u1, v0, z),
            Vertex(x0, y1, color, u0, v1, z), Vertex(x1, y1, color, u1, v1, z)};
}

// Source over destination, with the texel's alpha times the diffuse alpha: a sprite's blend.
inline void BlendTexelsOver(DrawState& state) {
    state.render.alphaBlendEnable = true;
    state.render.srcBlend = Blend::SrcAlpha;
    state.render.destBlend = Blend::InvSrcAlpha;
    state.stage.alphaOp = TextureOp::Modulate;
    state.stage.alphaArg1 = TextureArg::Texture;
    state.stage.alphaArg2 = TextureArg::Diffuse;
}

inline void DrawQuad(const DrawState& state, const std::vector<ScreenVertex>& quad) {
    DrawPrimitive(state, PrimitiveType::TriangleStrip, quad, 2);
}

inline int Channel(uint32_t color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

using pokutan_test::LargestChannelDifference;

// Raw pixel values, row by row, as a picture for PicturesMatch.
inline platform::testing::Image Picture(int width, int height, std::vector<uint32_t> argb) {
    platform::testing::Image picture;
    picture.width = width;
    picture.height = height;
    picture.pixels = std::move(argb);
    return picture;
}

inline std::vector<uint32_t> Pixels(const ColorSurface& surface) {
    return std::vector<uint32_t>(surface.data(),
                                 surface.data() + surface.width() * surface.height());
}

}  // namespace raster_test
