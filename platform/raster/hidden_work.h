// Before a run of queued draws is rasterised: which parts of the big draws (the background's
// layers) later sprites cover whatever lies under them, like the play field's floor over the
// background. Those parts are left undrawn; the pictures are the same.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "raster/draw_state.h"
#include "raster/hidden_area.h"
#include "raster/opaque_cover.h"
#include "raster/rasterizer.h"

namespace platform::raster {

struct QueuedDraw {
    const raster::DrawState* state;
    raster::PrimitiveType type;
    std::span<const raster::ScreenVertex> vertices;
    size_t primitives;
};

class HiddenWork {
  public:
    // Plans the run; the areas stay valid until the next Plan.
    void Plan(std::span<const QueuedDraw> draws);

    // The area draw `index` of the planned run may skip; null for none.
    const raster::HiddenArea* For(size_t index) const;

  private:
    struct Occluder {
        size_t draw;
        raster::Rect pixels;
        const raster::ColorSurface* target;
        const raster::DepthStencilSurface* depthWritten;  // null: leaves depth alone
    };

    std::vector<Occluder> FindOccluders(std::span<const QueuedDraw> draws, size_t after);

    std::vector<std::unique_ptr<raster::HiddenArea>> areas;
    std::vector<int> areaOf;           // per draw, an index into areas or -1
    std::vector<raster::Rect> bounds;  // per draw, the pixels it can touch
    raster::OpaqueTexelMemo memo;
};

}  // namespace platform::raster
