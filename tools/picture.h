// A picture being drawn by the generator: ARGB pixels row by row, with the few drawing
// operations the textures need. Out-of-range pixels are ignored, so shapes may overhang.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assets {

// Where a texture is transparent: the game's loader turns this exact colour into alpha 0.
constexpr uint32_t kTransparent = 0xFFFF00FF;

constexpr uint32_t Rgb(int r, int g, int b) {
    return 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}

constexpr uint32_t Grey(int level) {
    return Rgb(level, level, level);
}

struct Picture {
    Picture(int width, int height, uint32_t fill);

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void Set(int x, int y, uint32_t color);
    void FillRect(int x, int y, int w, int h, uint32_t color);
    // Copies `source` with its top-left corner at (x, y); transparent pixels are skipped.
    void Blit(const Picture& source, int x, int y);

    int width;
    int height;
    std::vector<uint32_t> pixels;
};

}  // namespace assets
