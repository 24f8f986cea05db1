// Per-triangle set-up and the batch loop of a draw call.
#include "raster/triangle_renderer.h"

#include <algorithm>

#include "raster/clear.h"
#include "raster/triangle_attributes.h"

namespace platform::raster {

namespace {

bool DepthActive(const DrawState& state) {
    return state.depthStencil != nullptr && state.render.zEnable;
}

}  // namespace

Rect DrawClip(const DrawState& state) {
    const Viewport& vp = state.viewport;
    Rect clip = Intersect(Rect{vp.x, vp.y, vp.x + vp.width, vp.y + vp.height},
                          Rect{0, 0, state.target->width(), state.target->height()});
    if (DepthActive(state)) {
        // A depth surface smaller than the target limits drawing rather than overrunning it.
        clip =
            Intersect(clip, Rect{0, 0, state.depthStencil->width(), state.depthStencil->height()});
    }
    return clip;
}

TriangleRenderer::TriangleRenderer(const DrawState& state)
    : state_(state),
      texture_(state.texture, state.sampler),
      combiner_(state.stage, state.render.textureFactor),
      alphaTest_(state.render.alphaTestEnable, state.render.alphaFunc, state.render.alphaRef),
      depthTest_(DepthActive(state) ? state.depthStencil : nullptr, state.render.zFunc,
                 state.render.zWriteEnable),
      blender_(state.render,
               state.target != nullptr ? state.target->format() : ColorFormat::A8R8G8B8),
      fused_(FusedSpanFor(state)) {
    if (state.target == nullptr) {
        return;
    }
    clip_ = DrawClip(state);
    active_ = clip_.left < clip_.right && clip_.top < clip_.bottom;
    if (active_ && fused_.usable) {
        const size_t batches = (clip_.right - clip_.left + kBatchSize - 1) / kBatchSize;
        batchU_.resize(batches);
        batchV_.resize(batches);
    }
    std::fill(std::begin(batch_.texel), std::end(batch_.texel), 0xFFFFFFFFu);
}

void TriangleRenderer::Draw(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c) {
    if (!active_) {
        return;
    }
    const ScreenVertex* const vertices[3] = {&a, &b, &c};
    TriangleEdges edges;
    if (!SetUpEdges(vertices, state_.render.cullMode, clip_, &edges)) {
        return;
    }
    const TriangleAttributes attributes = BuildAttributes(a, b, c, state_.viewport);
    if (!attributes.valid) {
        return;
    }
    if (texture_.bound()) {
        const double cx = (double{a.x} + b.x + c.x) / 3.0;
        const double cy = (double{a.y} + b.y + c.y) / 3.0;
        texture_.PrepareTriangle(attributes, cx, cy);
    }
    if (!fused_.usable || !DrawRowsFused(edges, attributes)) {
        DrawRows(edges, attributes);
    }
}

bool TriangleRenderer::DrawRowsFused(const TriangleEdges& edges,
                                     const TriangleAttributes& attributes) {
    SampleSource source;
    TexelMapping mapping;
    const bool textured = texture_.bound();
    if (attributes.perspective || !attributes.flatColor || attributes.z.dx != 0 ||
        (textured && !texture_.SingleBilinearLevel(&source, &mapping))) {
        return false;
    }
    const bool depth = depthTest_.active();
    FusedSpanJob job;
    job.blend = fused_.blend;
    job.texels = source.texels;
    job.width = source.width;
    job.height = source.height;
    job.pitch = source.pitch;
    job.modulator = attributes.flatDiffuse | (fused_.modulateAlpha ? 0u : 0xFF000000u);
    job.textureForce = texture_.alphaForce();
    job.alphaTest = fused_.alphaTest;
    job.alphaRef = state_.render.alphaRef;
    job.depthWrite = state_.render.zWriteEnable;
    job.targetForce = state_.target->format() == ColorFormat::X8R8G8B8 ? 0xFF000000u : 0u;
    // The batches, coordinates and depth of the staged path, so that every pixel matches.
    PixelBatch& batch = batch_;
    AffineTexCoords rowCoords(attributes, mapping);
    job.du = rowCoords.du();
    job.dv = rowCoords.dv();
    job.batchU = batchU_.data();
    job.batchV = batchV_.data();
    bool depthKnown = false;
    for (int y = edges.firstRow; y <= edges.lastRow; ++y) {
        int left = 0, right = 0;
        edges.Span(y, &left, &right);
        if (left >= right) {
            continue;
        }
        if (depth && (!depthKnown || attributes.z.dy != 0)) {
            // Level along the row, so one batch's value serves the whole row (and the whole
            // triangle when it is level both ways).
            batch.x = left;
            batch.y = y;
            batch.count = 1;
            FillDepth(attributes, batch);
            job.depth = batch.depthValue;
            depthKnown = true;
        }
        if (textured) {
            rowCoords.SetRow(y);
        }
        auto run = [&](int first, int last) {
            job.count = last - first;
            job.target = state_.target->row(y) + first;
            job.depthRow = depth ? state_.depthStencil->row(y) + first : nullptr;
            RunFusedSpan(job);
        };
        // Every job's batches lie on the row's batch grid, as the staged path's do, so that each
        // pixel gets the coordinates of drawing the whole row: a stretch starting inside a batch
        // first finishes that batch, its start stepped on from the batch's (the loop's own sum).
        ForEachVisibleStretch(y, left, right, [&](int first, int last) {
            const int b = (first - left) / kBatchSize;
            const int gridStart = left + b * kBatchSize;
            if (first > gridStart) {
                const int end = std::min(last, gridStart + kBatchSize);
                int32_t u = 0, v = 0;
                if (textured) {
                    const TexelCoords at = rowCoords.At(gridStart);
                    const auto steps = static_cast<uint32_t>(first - gridStart);
                    u = static_cast<int32_t>(static_cast<uint32_t>(at.u0) + steps * at.du);
                    v = static_cast<int32_t>(static_cast<uint32_t>(at.v0) + steps * at.dv);
                }
                job.batchU = &u;
                job.batchV = &v;
                run(first, end);
                first = end;
            }
            if (first < last) {
                const int aligned = (first - left) / kBatchSize;
                job.batchU = batchU_.data() + aligned;
                job.batchV = batchV_.data() + aligned;
                if (textured) {
                    rowCoords.Starts(first, last, kBatchSize, batchU_.data() + aligned,
                                     batchV_.data() + aligned);
                }
                run(first, last);
            }
        });
    }
    return true;
}

template <typename Visit>
void TriangleRenderer::ForEachVisibleStretch(int y, int left, int right, Visit visit) const {
    if (state_.hidden == nullptr) {
        visit(left, right);
        return;
    }
    // Narrow hidden stretches are drawn anyway: a job costs more than a few pixels.
    constexpr int kWorthSkipping = 16;
    int from = left;
    for (const Interval& hidden : state_.hidden->Row(y)) {
        const int start = std::max(hidden.left, from), end = std::min(hidden.right, right);
        if (end - start < kWorthSkipping) {
            continue;
        }
        if (from < start) {
            visit(from, start);
        }
        from = end;
    }
    if (from < right) {
        visit(from, right);
    }
}

template <typename Visit>
void TriangleRenderer::ForEachVisibleRun(int y, int left, int right, Visit visit) const {
    if (state_.hidden == nullptr) {
        visit(left, right);
        return;
    }
    const std::span<const Interval> hidden = state_.hidden->Row(y);
    int runStart = left;
    for (int x = left; x < right; x += kBatchSize) {
        const int end = std::min(x + kBatchSize, right);
        if (InsideOne(hidden, x, end)) {
            if (runStart < x) {
                visit(runStart, x);
            }
            runStart = end;
        }
    }
    if (runStart < right) {
        visit(runStart, right);
    }
}

void TriangleRenderer::DrawRows(const TriangleEdges& edges, const TriangleAttributes& attributes) {
    for (int y = edges.firstRow; y <= edges.lastRow; ++y) {
        int left = 0, right = 0;
        edges.Span(y, &left, &right);
        ForEachVisibleRun(y, left, right, [&](int first, int last) {
            for (int x = first; x < last; x += kBatchSize) {
                batch_.x = x;
                batch_.y = y;
                batch_.count = std::min(kBatchSize, last - x);
                ShadeBatch(attributes);
            }
        });
    }
}

void TriangleRenderer::ShadeBatch(const TriangleAttributes& attributes) {
    PixelBatch& batch = batch_;
    batch.allLive = true;
    std::fill(batch.live, batch.live + batch.count, 1u);
    if (texture_.bound()) {
        texture_.Sample(attributes, batch);
    }
    FillDiffuse(attributes, batch);
    combiner_.Run(batch);
    if (alphaTest_.active()) {
        alphaTest_.Run(batch);
    }
    if (depthTest_.active()) {
        FillDepth(attributes, batch);
        depthTest_.Run(batch);
    }
    blender_.Run(batch, *state_.target);
}

}  // namespace platform::raster
