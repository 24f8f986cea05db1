// Whole pictures against a straightforward floating-point reference: a background layer
// (rotated, magnified, bilinear, additive over a base colour) and a perspective-textured quad.
// Pixels within a pixel of a triangle edge are left out, where coverage, not shading, decides.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "raster/clear.h"
#include "raster_test_support.h"

namespace {

using namespace raster_test;

constexpr int kWidth = 96, kHeight = 72;

Texture NoiseTexture(int size) {
    Texture texture(size, size, 1, ColorFormat::A8R8G8B8);
    uint32_t seed = 99;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            seed = seed * 1103515245u + 12345u;
            texture.level(0).row(y)[x] = seed >> 4;
        }
    }
    return texture;
}

// Bilinear sample of level 0 in double precision, per channel, with clamp or wrap addressing.
double SampleChannel(const Texture& texture, double u, double v, int shift, bool wrap) {
    const ColorSurface& level = texture.level(0);
    const int w = level.width(), h = level.height();
    const double tx = u * w - 0.5, ty = v * h - 0.5;
    const int x0 = static_cast<int>(std::floor(tx)), y0 = static_cast<int>(std::floor(ty));
    const double fx = tx - x0, fy = ty - y0;
    auto address = [wrap](int i, int n) {
        return wrap ? ((i % n) + n) % n : std::clamp(i, 0, n - 1);
    };
    auto texel = [&](int x, int y) {
        return static_cast<double>(Channel(level.row(address(y, h))[address(x, w)], shift));
    };
    return (texel(x0, y0) * (1 - fx) + texel(x0 + 1, y0) * fx) * (1 - fy) +
           (texel(x0, y0 + 1) * (1 - fx) + texel(x0 + 1, y0 + 1) * fx) * fy;
}

// Signed distance of p from the line a-b, in pixels.
double EdgeDistance(double px, double py, const ScreenVertex& a, const ScreenVertex& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    return ((px - a.x) * dy - (py - a.y) * dx) / std::hypot(dx, dy);
}

// 1 more than a pixel inside the convex quad (corners in strip order), 0 more than a pixel
// outside, -1 in between.
int Inside(const std::vector<ScreenVertex>& q, double px, double py) {
    const ScreenVertex* ring[4] = {&q[0], &q[1], &q[3], &q[2]};
    const double mx = (q[0].x + q[1].x + q[2].x + q[3].x) / 4.0;
    const double my = (q[0].y + q[1].y + q[2].y + q[3].y) / 4.0;
    const double sign = EdgeDistance(mx, my, q[0], q[1]) > 0 ? 1.0 : -1.0;
    double nearest = 1e9;
    for (int i = 0; i < 4; ++i) {
        nearest = std::min(nearest, sign * EdgeDistance(px, py, *ring[i], *ring[(i + 1) % 4]));
    }
    return nearest > 1.0 ? 1 : (nearest < -1.0 ? 0 : -1);
}

TEST(RotatedLayerImageTest, MagnifiedRotatedAdditiveLayerMatchesReference) {
    ColorSurface target(kWidth, kHeight, ColorFormat::A8R8G8B8);
    const uint32_t base = 0xFF202830;
    ClearColor(target, base, {}, Rect{0, 0, kWidth, kHeight});
    const Texture texture = NoiseTexture(16);
    DrawState state = StateFor(target);
    state.texture = &texture;
    state.sampler.magFilter = state.sampler.minFilter = TextureFilter::Anisotropic;
    state.sampler.addressU = state.sampler.addressV = TextureAddress::Clamp;
    state.stage.alphaOp = TextureOp::Modulate;
    state.stage.alphaArg2 = TextureArg::Diffuse;
    state.render.alphaBlendEnable = true;
    state.render.srcBlend = state.render.destBlend = Blend::One;
    const uint32_t color = 0xFFA08060;

    // A 16-texel square magnified 4.5 times, turned 30 degrees about the target's centre.
    const double angle = 30.0 * 3.14159265358979 / 180.0, half = 8 * 4.5;
    const double c = std::cos(angle), s = std::sin(angle), cx = 48.0, cy = 36.0;
    auto corner = [&](double dx, double dy, float u, float v) {
        return Vertex(static_cast<float>(cx + dx * half * c - dy * half * s),
                      static_cast<float>(cy + dx * half * s + dy * half * c), color, u, v);
    };
    const std::vector<ScreenVertex> quad = {corner(-1, -1, 0, 0), corner(1, -1, 1, 0),
                                            corner(-1, 1, 0, 1), corner(1, 1, 1, 1)};
    DrawQuad(state, quad);

    std::vector<uint32_t> actual = Pixels(target), expected(actual.size());
    for (int py = 0; py < kHeight; ++py) {
        for (int px = 0; px < kWidth; ++px) {
            const int where = Inside(quad, px, py);
            uint32_t& e = expected[py * kWidth + px];
            if (where < 0) {
                e = actual[py * kWidth + px];
                continue;
            }
            e = base;
            if (where == 0) {
                continue;
            }
            // Back into the square: rotate by -angle, scale to [0, 1].
            const double rx = (px - cx) * c + (py - cy) * s, ry = -(px - cx) * s + (py - cy) * c;
            const double u = (rx / half + 1) / 2, v = (ry / half + 1) / 2;
            e = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const double t = SampleChannel(texture, u, v, shift, false);
                const double added = Channel(base, shift) + t * Channel(color, shift) / 255.0;
                e |= static_cast<uint32_t>(std::min(255.0, std::round(added))) << shift;
            }
        }
    }
    EXPECT_TRUE(pokutan_test::PicturesMatch(
        Picture(kWidth, kHeight, actual), Picture(kWidth, kHeight, expected), "rotated_layer", 2));
}

TEST(RotatedLayerImageTest, PerspectiveQuadMatchesReference) {
    ColorSurface target(kWidth, kHeight, ColorFormat::X8R8G8B8);
    ClearColor(target, 0, {}, Rect{0, 0, kWidth, kHeight});
    const Texture texture = NoiseTexture(8);
    DrawState state = StateFor(target);
    state.texture = &texture;
    state.sampler.magFilter = TextureFilter::Linear;
    // A floor receding towards the top: the far edge is four times as far (a quarter of the
    // near edge's rhw and a quarter of its width), as a projected rectangle would be.
    std::vector<ScreenVertex> quad = {
        Vertex(36.125f, 10.5f, 0xFFFFFFFF, 0, 0), Vertex(59.875f, 10.5f, 0xFFFFFFFF, 1, 0),
        Vertex(0.5f, 70.5f, 0xFFFFFFFF, 0, 1), Vertex(95.5f, 70.5f, 0xFFFFFFFF, 1, 1)};
    quad[0].rhw = quad[1].rhw = 0.25f;
    DrawQuad(state, quad);

    std::vector<uint32_t> actual = Pixels(target), expected(actual.size());
    for (int py = 0; py < kHeight; ++py) {
        for (int px = 0; px < kWidth; ++px) {
            const int where = Inside(quad, px, py);
            uint32_t& e = expected[py * kWidth + px];
            if (where <= 0) {
                e = where < 0 ? actual[py * kWidth + px] : 0xFF000000u;
                continue;
            }
            // Rows are lines of constant v: screen t from 0 (far) to 1 (near) along y.
            const double t = (py - 10.5) / 60.0;
            const double q = 0.25 * (1 - t) + 1.0 * t;
            const double v = (t * 1.0) / q;
            const double left = 36.125 - 35.625 * t, right = 59.875 + 35.625 * t;
            const double u = (px - left) / (right - left);
            e = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const double value = SampleChannel(texture, u, v, shift, true);
                e |= static_cast<uint32_t>(std::round(value)) << shift;
            }
        }
    }
    EXPECT_TRUE(pokutan_test::PicturesMatch(Picture(kWidth, kHeight, actual),
                                            Picture(kWidth, kHeight, expected), "perspective_quad",
                                            3));
}

}  // namespace
