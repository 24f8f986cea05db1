// Colour and depth-stencil surfaces: allocation and the few per-pixel helpers.
#include "raster/surface.h"

#include <atomic>

#include <algorithm>
#include <cmath>

namespace platform::raster {

namespace {

size_t PixelCount(int width, int height) {
    return static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0));
}

}  // namespace

namespace {

uint64_t NextSurfaceId() {
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

ColorSurface::ColorSurface(int width, int height, ColorFormat format)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      format_(format),
      pixels_(PixelCount(width, height), 0u),
      id_(NextSurfaceId()) {}

uint32_t ColorSurface::Read(int x, int y) const {
    const uint32_t pixel = row(y)[x];
    return hasAlpha() ? pixel : pixel | 0xFF000000u;
}

DepthStencilSurface::DepthStencilSurface(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), words_(PixelCount(width, height)) {}

uint32_t DepthToD24(float z) {
    // NaN compares false both ways and ends up as 0 (near) rather than undefined.
    const float clamped = z > 0.0f ? std::min(z, 1.0f) : 0.0f;
    return static_cast<uint32_t>(std::lround(clamped * 16777215.0f));
}

}  // namespace platform::raster
