// Draws triangles for one draw call: the pipeline stages are chosen once from the DrawState
// when the renderer is made, then every triangle is walked row by row in batches that pass
// through texture, stage 0, alpha test, depth test and blending (or, where the state and the
// triangle allow, through the fused path of fused_span.h, which gives the same pixels).
#pragma once

#include <cstdint>
#include <vector>

#include "raster/blender.h"
#include "raster/draw_state.h"
#include "raster/fused_span.h"
#include "raster/pixel_batch.h"
#include "raster/pixel_tests.h"
#include "raster/texture_stage.h"
#include "raster/texture_unit.h"
#include "raster/triangle_edges.h"

namespace platform::raster {

// The pixels a draw may touch: its viewport, inside the target (and the depth surface when
// depth is tested). The state must have a target.
Rect DrawClip(const DrawState& state);

class TriangleRenderer {
  public:
    explicit TriangleRenderer(const DrawState& state);

    // False when the draw cannot write anything (no target, empty viewport).
    bool active() const { return active_; }

    // Vertices must be finite and inside the guard band (see clipper.h for the rest).
    void Draw(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c);

  private:
    void DrawRows(const TriangleEdges& edges, const TriangleAttributes& attributes);
    // The fused path for the whole triangle; false when the triangle does not suit it.
    bool DrawRowsFused(const TriangleEdges& edges, const TriangleAttributes& attributes);
    void ShadeBatch(const TriangleAttributes& attributes);
    // Calls visit(first, last) for the stretches of [left, right) on row y made of the row's
    // batches that are not wholly hidden.
    template <typename Visit>
    void ForEachVisibleRun(int y, int left, int right, Visit visit) const;
    // The same for the stretches of pixels outside the hidden area, at any column.
    template <typename Visit>
    void ForEachVisibleStretch(int y, int left, int right, Visit visit) const;

    const DrawState& state_;
    bool active_ = false;
    Rect clip_{};
    TextureUnit texture_;
    TextureStageCombiner combiner_;
    AlphaTest alphaTest_;
    DepthTest depthTest_;
    Blender blender_;
    FusedSpanSetup fused_;
    // The fused path's coordinates of each batch of the current row.
    std::vector<int32_t> batchU_, batchV_;
    PixelBatch batch_;
};

}  // namespace platform::raster
