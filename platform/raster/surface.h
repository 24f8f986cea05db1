// Pixel memory the rasteriser draws into and samples from: 32-bit ARGB colour surfaces and
// D24S8 depth-stencil surfaces. Rows are contiguous (the pitch is the width); the memory is
// owned by the surface and zero-filled at creation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "raster/raster_types.h"

namespace platform::raster {

class ColorSurface {
  public:
    ColorSurface(int width, int height, ColorFormat format);

    int width() const { return width_; }
    int height() const { return height_; }
    ColorFormat format() const { return format_; }
    bool hasAlpha() const { return format_ == ColorFormat::A8R8G8B8; }
    // Distance between rows, in pixels.
    int pitch() const { return width_; }

    // Writable access counts as a change (see version()).
    uint32_t* data() {
        ++version_;
        return pixels_.data();
    }
    const uint32_t* data() const { return pixels_.data(); }
    uint32_t* row(int y) {
        ++version_;
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    const uint32_t* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }

    // The pixel as the pipeline sees it: an X8R8G8B8 surface reads alpha as 255.
    uint32_t Read(int x, int y) const;

    // Unique to this surface among all made in the process, and its count of writable
    // accesses: together they name the pixels' present contents.
    uint64_t id() const { return id_; }
    uint64_t version() const { return version_; }

  private:
    int width_, height_;
    ColorFormat format_;
    std::vector<uint32_t> pixels_;
    uint64_t id_;
    uint64_t version_ = 0;
};

// Each pixel is one 32-bit word: depth in the upper 24 bits (0 = near, 0xFFFFFF = far), stencil
// in the low 8 bits.
class DepthStencilSurface {
  public:
    DepthStencilSurface(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return width_; }

    // Writable access forgets the known depth: whoever asks for it may change it.
    uint32_t* data() {
        knownDepth_.reset();
        return words_.data();
    }
    const uint32_t* data() const { return words_.data(); }
    uint32_t* row(int y) {
        knownDepth_.reset();
        return words_.data() + static_cast<std::size_t>(y) * width_;
    }
    const uint32_t* row(int y) const {
        return words_.data() + static_cast<std::size_t>(y) * width_;
    }

    uint32_t Depth(int x, int y) const { return row(y)[x] >> 8; }
    uint8_t Stencil(int x, int y) const { return static_cast<uint8_t>(row(y)[x]); }

    // The 24-bit depth every pixel holds, when known: set by a clear of the whole surface and
    // kept until the next writable access.
    std::optional<uint32_t> knownDepth() const { return knownDepth_; }
    void SetKnownDepth(uint32_t depth) { knownDepth_ = depth; }

  private:
    int width_, height_;
    std::vector<uint32_t> words_;
    std::optional<uint32_t> knownDepth_;
};

// Depth in [0, 1] (clamped) as the 24-bit value stored in a depth surface, rounded to nearest.
uint32_t DepthToD24(float z);

}  // namespace platform::raster
