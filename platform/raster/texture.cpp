// Texture mip chains and their box-filtered generation.
#include "raster/texture.h"

#include <algorithm>

namespace platform::raster {

namespace {

uint32_t Average4(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t sum = ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF) + ((c >> shift) & 0xFF) +
                             ((d >> shift) & 0xFF);
        result |= ((sum + 2) / 4) << shift;
    }
    return result;
}

void Downsample(const ColorSurface& source, ColorSurface& target) {
    const int lastX = source.width() - 1;
    const int lastY = source.height() - 1;
    for (int y = 0; y < target.height(); ++y) {
        const uint32_t* top = source.row(std::min(2 * y, lastY));
        const uint32_t* bottom = source.row(std::min(2 * y + 1, lastY));
        uint32_t* out = target.row(y);
        for (int x = 0; x < target.width(); ++x) {
            const int x0 = std::min(2 * x, lastX);
            const int x1 = std::min(2 * x + 1, lastX);
            out[x] = Average4(top[x0], top[x1], bottom[x0], bottom[x1]);
        }
    }
}

}  // namespace

int FullMipLevelCount(int width, int height) {
    int levels = 1;
    while (width > 1 || height > 1) {
        width = std::max(width / 2, 1);
        height = std::max(height / 2, 1);
        ++levels;
    }
    return levels;
}

Texture::Texture(int width, int height, int levels, ColorFormat format) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int full = FullMipLevelCount(width, height);
    const int count = (levels <= 0 || levels > full) ? full : levels;
    levels_.reserve(count);
    for (int i = 0; i < count; ++i) {
        levels_.emplace_back(std::max(width >> i, 1), std::max(height >> i, 1), format);
    }
}

void Texture::BuildMipChain() {
    for (size_t i = 1; i < levels_.size(); ++i) {
        Downsample(levels_[i - 1], levels_[i]);
    }
}

}  // namespace platform::raster
