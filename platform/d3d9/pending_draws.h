// The draws a device has accepted but not yet rasterised. A draw waits until something reads a
// surface it touches (Present, LockRect, a read-back, a draw that samples its target), and a
// later clear of its whole target and depth drops it unseen, as tile-based GPUs do with
// discarded targets: the play frame's background, drawn on the back buffer and then wiped by
// the play scene's clear, costs nothing. Draws run in the order they came, so the pictures are
// those of drawing at once.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "raster/draw_state.h"
#include "raster/rasterizer.h"

namespace platform::d3d9 {

class PendingDraws {
  public:
    // Flushes first when the draw samples the target of a pending draw.
    void Add(const raster::DrawState& state, raster::PrimitiveType type,
             std::span<const raster::ScreenVertex> vertices, size_t primitiveCount);

    // Rasterises every pending draw, in order.
    void Flush();

    // Before a clear of `target` (colour; null when the clear keeps it) and `depth` (null when
    // it keeps depth and stencil): drops the pending draws that the clear wipes when
    // `wholeSurfaces` (no rectangles, the viewport covering both surfaces) and `clearsDepth`
    // (the depth values, not only the stencil) allow; otherwise flushes every draw that the
    // clear must come after.
    void BeforeClear(const raster::ColorSurface* target, const raster::DepthStencilSurface* depth,
                     bool clearsDepth, bool wholeSurfaces);

    bool Empty() const { return draws.empty(); }

  private:
    struct Draw {
        raster::DrawState state;
        raster::PrimitiveType type;
        size_t first, count, primitives;
    };

    static bool Samples(const Draw& draw, const raster::ColorSurface* surface);
    bool SamplesPendingTarget(const raster::Texture* texture) const;

    std::vector<Draw> draws;
    std::vector<raster::ScreenVertex> vertices;
    std::vector<const raster::ColorSurface*> targets;  // distinct, of the pending draws
};

}  // namespace platform::d3d9
