// Helpers shared by the rasteriser tests: a default draw state over a target, quad and vertex
// builders, and image comparison that writes the actual and expected pictures as PNG next to
// the test's output when they differ.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "raster/draw_state.h"
#include "raster/rasterizer.h"

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

inline void DrawQuad(const DrawState& state, const std::vector<ScreenVertex>& quad) {
    DrawPrimitive(state, PrimitiveType::TriangleStrip, quad, 2);
}

inline int Channel(uint32_t color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

// Largest per-channel difference.
inline int ColorDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        worst = std::max(worst, std::abs(Channel(a, shift) - Channel(b, shift)));
    }
    return worst;
}

inline bool WritePng(const std::string& path, int width, int height,
                     const std::vector<uint32_t>& argb) {
    std::vector<uint8_t> rgba(argb.size() * 4);
    for (size_t i = 0; i < argb.size(); ++i) {
        rgba[4 * i] = static_cast<uint8_t>(argb[i] >> 16);
        rgba[4 * i + 1] = static_cast<uint8_t>(argb[i] >> 8);
        rgba[4 * i + 2] = static_cast<uint8_t>(argb[i]);
        rgba[4 * i + 3] = static_cast<uint8_t>(argb[i] >> 24);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}

// Expects every pixel within `tolerance` per channel; on failure writes
// raster_failures/<name>_actual.png and <name>_expected.png and reports where they went.
inline void ExpectImageNear(const std::string& name, int width, int height,
                            const std::vector<uint32_t>& actual,
                            const std::vector<uint32_t>& expected, int tolerance,
                            int allowedMismatches = 0) {
    int mismatches = 0;
    int firstX = -1, firstY = -1;
    for (int i = 0; i < width * height; ++i) {
        if (ColorDistance(actual[i], expected[i]) > tolerance) {
            if (mismatches++ == 0) {
                firstX = i % width;
                firstY = i / width;
            }
        }
    }
    if (mismatches <= allowedMismatches) {
        return;
    }
    const std::filesystem::path folder = "raster_failures";
    std::filesystem::create_directories(folder);
    const std::string actualPath = (folder / (name + "_actual.png")).string();
    const std::string expectedPath = (folder / (name + "_expected.png")).string();
    WritePng(actualPath, width, height, actual);
    WritePng(expectedPath, width, height, expected);
    ADD_FAILURE() << name << ": " << mismatches << " pixels differ by more than " << tolerance
                  << ", first at (" << firstX << ", " << firstY << "): actual " << std::hex
                  << actual[firstY * width + firstX] << " expected "
                  << expected[firstY * width + firstX] << std::dec << "; pictures written to "
                  << actualPath << " and " << expectedPath;
}

inline std::vector<uint32_t> Pixels(const ColorSurface& surface) {
    return std::vector<uint32_t>(surface.data(),
                                 surface.data() + surface.width() * surface.height());
}

}  // namespace raster_test
