// Pending draws: queueing, flushing, and what a clear may drop.
#include "raster/pending_draws.h"

#include <algorithm>

#include "seam/hooks.h"

namespace platform::raster {
namespace {

// A program that draws and never presents or reads must not grow the queue without end.
constexpr size_t kMaxPendingDraws = 4096;

bool WritesDepth(const raster::DrawState& state) {
    return state.depthStencil != nullptr && state.render.zEnable && state.render.zWriteEnable;
}

// True when every pixel's source alpha is the diffuse alpha, or the texel's alpha times it.
bool AlphaComesFromDiffuse(const raster::TextureStage& stage) {
    namespace TextureArg = raster::TextureArg;
    auto diffuse = [](uint32_t arg) {
        return arg == TextureArg::Diffuse || arg == TextureArg::Current;  // Current: stage 0
    };
    auto texture = [](uint32_t arg) { return arg == TextureArg::Texture; };
    switch (stage.alphaOp) {
        case raster::TextureOp::SelectArg1:
            return diffuse(stage.alphaArg1);
        case raster::TextureOp::SelectArg2:
            return diffuse(stage.alphaArg2);
        case raster::TextureOp::Modulate:
            return (diffuse(stage.alphaArg1) &&
                    (diffuse(stage.alphaArg2) || texture(stage.alphaArg2))) ||
                   (texture(stage.alphaArg1) && diffuse(stage.alphaArg2));
        default:
            return false;
    }
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

// No colour channel written, or a source of alpha 0 blended over the target: s * 0 + d * 1 is
// d in every channel, whatever the source's colour.
bool PendingDraws::KeepsColours(const raster::DrawState& state,
                                std::span<const raster::ScreenVertex> drawn) {
    const raster::RenderState& r = state.render;
    if ((r.colorWriteEnable & 0xF) == 0) {
        return true;
    }
    const bool over = r.alphaBlendEnable && r.blendOp == raster::BlendOp::Add &&
                      r.srcBlend == raster::Blend::SrcAlpha &&
                      r.destBlend == raster::Blend::InvSrcAlpha;
    return over && AlphaComesFromDiffuse(state.stage) &&
           std::all_of(drawn.begin(), drawn.end(),
                       [](const raster::ScreenVertex& v) { return (v.diffuse >> 24) == 0; });
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
    draws.push_back(Draw{state, type, vertices.size(), drawn.size(), primitiveCount,
                         KeepsColours(state, drawn)});
    vertices.insert(vertices.end(), drawn.begin(), drawn.end());
    if (std::find(targets.begin(), targets.end(), state.target) == targets.end()) {
        targets.push_back(state.target);
    }
}

void PendingDraws::Flush() {
    RunDraws(draws.size());
}

void PendingDraws::BeforePresent(const raster::ColorSurface* shown) {
    size_t end = draws.size();
    while (end > 0 && (draws[end - 1].state.target != shown || draws[end - 1].keepsColours)) {
        --end;
    }
    if (end < draws.size()) {
        seam::Count("Device.DrawsWaitPastPresent");
    }
    RunDraws(end);
}

void PendingDraws::RunDraws(size_t end) {
    const std::span<const raster::ScreenVertex> all(vertices);
    queued.clear();
    for (size_t i = 0; i < end; ++i) {
        const Draw& draw = draws[i];
        queued.push_back(QueuedDraw{&draw.state, draw.type, all.subspan(draw.first, draw.count),
                                    draw.primitives});
    }
    hiddenWork.Plan(queued);
    for (size_t i = 0; i < end; ++i) {
        const QueuedDraw& draw = queued[i];
        if (const raster::HiddenArea* hidden = hiddenWork.For(i)) {
            raster::DrawState state = *draw.state;
            state.hidden = hidden;
            seam::Count("Device.DrawsPartlyHidden");
            raster::DrawPrimitive(state, draw.type, draw.vertices, draw.primitives);
        } else {
            raster::DrawPrimitive(*draw.state, draw.type, draw.vertices, draw.primitives);
        }
    }
    draws.erase(draws.begin(), draws.begin() + static_cast<std::ptrdiff_t>(end));
    targets.clear();
    for (const Draw& draw : draws) {
        if (std::find(targets.begin(), targets.end(), draw.state.target) == targets.end()) {
            targets.push_back(draw.state.target);
        }
    }
    if (draws.empty()) {
        vertices.clear();
    }
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

}  // namespace platform::raster
