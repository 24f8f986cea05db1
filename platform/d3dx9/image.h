// A plain 32-bit picture in memory, the way a D3DFMT_A8R8G8B8 surface stores it: one uint32_t
// per pixel, 0xAARRGGBB, rows top to bottom with no padding. Used by the texture loading steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::d3dx9 {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height values, row-major

    uint32_t At(int x, int y) const { return pixels[Index(x, y)]; }
    uint32_t& At(int x, int y) { return pixels[Index(x, y)]; }

  private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
    }
};

// The largest picture the loading steps will allocate, decoded or resized: a side of at most
// 16384 pixels (the largest texture Direct3D 9 hardware offers) and at most 256 MiB of pixels.
// Files claiming more are refused before any memory is taken for them.
constexpr int64_t kMaxImageSide = 16384;
constexpr int64_t kMaxImageBytes = int64_t{256} * 1024 * 1024;

constexpr bool FitsImageLimits(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height * 4 <= kMaxImageBytes;
}

// Channel access for 0xAARRGGBB values.
constexpr uint32_t AlphaOf(uint32_t argb) {
    return argb >> 24;
}
constexpr uint32_t RedOf(uint32_t argb) {
    return (argb >> 16) & 0xFF;
}
constexpr uint32_t GreenOf(uint32_t argb) {
    return (argb >> 8) & 0xFF;
}
constexpr uint32_t BlueOf(uint32_t argb) {
    return argb & 0xFF;
}
constexpr uint32_t PackArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace platform::d3dx9
