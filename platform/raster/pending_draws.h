// The draws a device has accepted but not yet rasterised. A draw waits until something reads a
// surface it touches (Present, LockRect, a read-back, a draw that samples its target), and a
// later clear of its whole target and depth drops it unseen, as tile-based GPUs do with
// discarded targets: the play frame's background, drawn on the back buffer and then wiped by
// the play scene's clear, costs nothing. Draws run in the order they came, so the pictures are
// those of drawing at once. Present shows the back buffer's colours only: draws after the last
// one that changes them (the fades at rest: a colour of alpha 0 blended over) wait past it, and
// the next frame's clear usually drops them.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "raster/draw_state.h"
#include "raster/hidden_work.h"
#include "raster/rasterizer.h"

namespace platform::raster {

class PendingDraws {
  public:
    // Flushes first when the draw samples the target of a pending draw.
    void Add(const raster::DrawState& state, raster::PrimitiveType type,
             std::span<const raster::ScreenVertex> vertices, size_t primitiveCount);

    // Rasterises every pending draw, in order.
    void Flush();

    // Before `shown` is presented: rasterises the draws up to the last one that changes its
    // colours; the ones after it stay pending, still in order.
    void BeforePresent(const raster::ColorSurface* shown);

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
        bool keepsColours;  // leaves every colour of its target as it was
    };

    static bool Samples(const Draw& draw, const raster::ColorSurface* surface);
    static bool KeepsColours(const raster::DrawState& state,
                             std::span<const raster::ScreenVertex> drawn);
    void RunDraws(size_t end);  // the first `end` draws, which then leave the queue
    bool SamplesPendingTarget(const raster::Texture* texture) const;

    std::vector<Draw> draws;
    std::vector<raster::ScreenVertex> vertices;
    std::vector<const raster::ColorSurface*> targets;  // distinct, of the pending draws
    std::vector<QueuedDraw> queued;                    // the run being drawn
    HiddenWork hiddenWork;
};

}  // namespace platform::raster
