// Pending draws: queueing, flushing, and what a clear may drop.
#include "d3d9/pending_draws.h"

#include <algorithm>

#include "seam/hooks.h"

namespace platform::d3d9 {
namespace {

// A program that draws and never presents or reads must not grow the queue without end.
constexpr size_t kMaxPendingDraws = 4096;

bool WritesDepth(const raster::DrawState& state) {
    return state.depthStencil != nullptr && state.render.zEnable && state.render.zWriteEnable;
}

}  // namespace

bool PendingDraws::Samples(const Draw& draw, const raster::ColorSurface* surface) {
    const raster::Texture* texture = draw.state.texture;
    if (texture == nullptr) {
        return false;
    }
    for (int level = 0; level < texture->levelCount(); ++level) {
        if (&texture->level(level) == surface) {
            return true;
        }
    }
    return false;
}

bool PendingDraws::SamplesPendingTarget(const raster::Texture* texture) const {
    if (texture == nullptr) {
        return false;
    }
    for (int level = 0; level < texture->levelCount(); ++level) {
        if (std::find(targets.begin(), targets.end(), &texture->level(level)) != targets.end()) {
            return true;
        }
    }
    return false;
}

void PendingDraws::Add(const raster::DrawState& state, raster::PrimitiveType type,
                       std::span<const raster::ScreenVertex> drawn, size_t primitiveCount) {
    if (SamplesPendingTarget(state.texture) || draws.size() >= kMaxPendingDraws) {
        Flush();
    }
    draws.push_back(Draw{state, type, vertices.size(), drawn.size(), primitiveCount});
    vertices.insert(vertices.end(), drawn.begin(), drawn.end());
    if (std::find(targets.begin(), targets.end(), state.target) == targets.end()) {
        targets.push_back(state.target);
    }
}

void PendingDraws::Flush() {
    const std::span<const raster::ScreenVertex> all(vertices);
    for (const Draw& draw : draws) {
        raster::DrawPrimitive(draw.state, draw.type, all.subspan(draw.first, draw.count),
                              draw.primitives);
    }
    draws.clear();
    vertices.clear();
    targets.clear();
}

void PendingDraws::BeforeClear(const raster::ColorSurface* target,
                               const raster::DepthStencilSurface* depth, bool clearsDepth,
                               bool wholeSurfaces) {
    bool touched = false;
    bool droppable = wholeSurfaces && target != nullptr;
    for (const Draw& draw : draws) {
        const bool writesTarget = target != nullptr && draw.state.target == target;
        const bool readsTarget = target != nullptr && Samples(draw, target);
        const bool usesDepth = depth != nullptr && draw.state.depthStencil == depth;
        if (!writesTarget && !readsTarget && !usesDepth) {
            continue;
        }
        touched = true;
        // Only a draw whose every effect the clear overwrites may go: its colour, and its depth
        // values unless it writes none.
        const bool depthWiped =
            !WritesDepth(draw.state) || (clearsDepth && draw.state.depthStencil == depth);
        if (readsTarget || !writesTarget || !depthWiped) {
            droppable = false;
        }
    }
    if (!touched) {
        return;
    }
    if (!droppable) {
        Flush();
        return;
    }
    std::erase_if(draws, [target](const Draw& draw) { return draw.state.target == target; });
    std::erase(targets, target);
    if (draws.empty()) {
        vertices.clear();
    }
    seam::Trace("Device.DropPendingDraws");
}

}  // namespace platform::d3d9
