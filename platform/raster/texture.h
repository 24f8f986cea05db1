// A texture: a chain of mip levels, each a colour surface half the size of the one before
// (rounded down, at least 1). Any size works; power-of-two sizes take the faster wrap path.
#pragma once

#include <vector>

#include "raster/surface.h"

namespace platform::raster {

class Texture {
  public:
    // levels = 0 asks for the full chain down to 1 x 1; more levels than that are cut to it.
    Texture(int width, int height, int levels, ColorFormat format);

    int width() const { return levels_.front().width(); }
    int height() const { return levels_.front().height(); }
    ColorFormat format() const { return levels_.front().format(); }
    int levelCount() const { return static_cast<int>(levels_.size()); }
    ColorSurface& level(int index) { return levels_[index]; }
    const ColorSurface& level(int index) const { return levels_[index]; }

    // Refills levels 1 and up from level 0 with a 2 x 2 box filter (edge texels repeat where a
    // level has an odd size).
    void BuildMipChain();

  private:
    std::vector<ColorSurface> levels_;
};

// How many levels a full chain of that size has.
int FullMipLevelCount(int width, int height);

}  // namespace platform::raster
