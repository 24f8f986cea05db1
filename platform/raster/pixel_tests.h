// The per-pixel tests that can drop pixels of a batch: the alpha test (source alpha against a
// reference byte) and the depth test and write against a D24S8 surface. A dropped pixel writes
// neither colour nor depth. Comparison functions are resolved once per draw.
#pragma once

#include <cstdint>

#include "raster/pixel_batch.h"
#include "raster/raster_types.h"
#include "raster/surface.h"

namespace platform::raster {

// Passes when `value func reference` holds.
bool Compare(CmpFunc func, uint32_t value, uint32_t reference);

class AlphaTest {
  public:
    AlphaTest(bool enabled, CmpFunc func, uint8_t reference);
    bool active() const { return run_ != nullptr; }
    void Run(PixelBatch& batch) const { run_(batch, reference_); }

  private:
    void (*run_)(PixelBatch&, uint32_t) = nullptr;
    uint32_t reference_;
};

// Tests batch.depth against the surface and, where the pixel passes and writing is on, stores
// it, keeping the stencil bits.
class DepthTest {
  public:
    DepthTest(DepthStencilSurface* surface, CmpFunc func, bool write);
    bool active() const { return run_ != nullptr; }
    void Run(PixelBatch& batch) const { run_(batch, *surface_, write_); }

  private:
    void (*run_)(PixelBatch&, DepthStencilSurface&, bool) = nullptr;
    DepthStencilSurface* surface_;
    bool write_;
};

}  // namespace platform::raster
