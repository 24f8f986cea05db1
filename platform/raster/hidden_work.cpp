// Planning the hidden areas of a run: the sprites that cover, whether their depth test is sure
// to pass, and which big draws they hide.
#include "raster/hidden_work.h"

#include <algorithm>
#include <cmath>

#include "raster/clear.h"
#include "raster/opaque_cover.h"
#include "raster/triangle_attributes.h"
#include "raster/triangle_renderer.h"

namespace platform::raster {
namespace {

// Smaller draws are not worth planning for.
constexpr int kBigDraw = 128 * 128;
// A big draw's area is built from at most this many covers (building costs their square), so
// that a run of thousands of sprites cannot stall a frame; leaving pixels drawn is always safe.
constexpr size_t kMostCovers = 512;
constexpr int kTile = 32;

const raster::DepthStencilSurface* DepthWritten(const raster::DrawState& state) {
    const raster::RenderState& r = state.render;
    return r.zEnable && r.zWriteEnable ? state.depthStencil : nullptr;
}

int Area(const raster::Rect& r) {
    return (r.right - r.left) * (r.bottom - r.top);
}

bool SameRects(std::span<const raster::Rect> a, std::span<const raster::Rect> b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const raster::Rect& x, const raster::Rect& y) {
            return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
        });
}

// The pixels a draw can touch: its vertices' bounds inside its clip.
raster::Rect Bounds(const QueuedDraw& draw) {
    const raster::Rect clip = raster::DrawClip(*draw.state);
    float x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (const raster::ScreenVertex& v : draw.vertices) {
        if (!std::isfinite(v.x) || !std::isfinite(v.y)) {
            return clip;
        }
        x0 = std::min(x0, v.x);
        y0 = std::min(y0, v.y);
        x1 = std::max(x1, v.x);
        y1 = std::max(y1, v.y);
    }
    if (draw.vertices.empty()) {
        return raster::Rect{0, 0, 0, 0};
    }
    auto column = [](float x) { return static_cast<int>(std::clamp(x, -1e6f, 1e6f)); };
    return raster::Intersect(raster::Rect{column(std::floor(x0)), column(std::floor(y0)),
                                          column(std::ceil(x1)) + 1, column(std::ceil(y1)) + 1},
                             clip);
}

// The least depth that can be stored in each 32 x 32 tile of a depth surface as the run goes
// on: what the surface holds (its cleared value, when known) lowered by every draw writing it.
class DepthFloor {
  public:
    explicit DepthFloor(const raster::DepthStencilSurface* surface)
        : surface_(surface),
          columns_((surface->width() + kTile - 1) / kTile),
          least_(static_cast<size_t>(columns_) * ((surface->height() + kTile - 1) / kTile),
                 surface->knownDepth().value_or(0)) {}

    const raster::DepthStencilSurface* surface() const { return surface_; }

    void Lower(const raster::Rect& r, uint32_t depth) {
        ForTiles(r, [&](uint32_t& least) { least = std::min(least, depth); });
    }

    uint32_t Least(const raster::Rect& r) {
        uint32_t result = 0xFFFFFFFFu;
        ForTiles(r, [&](uint32_t& least) { result = std::min(result, least); });
        return result;
    }

  private:
    template <typename F>
    void ForTiles(const raster::Rect& r, F f) {
        const raster::Rect inside =
            raster::Intersect(r, raster::Rect{0, 0, surface_->width(), surface_->height()});
        if (inside.left >= inside.right || inside.top >= inside.bottom) {
            return;
        }
        for (int ty = inside.top / kTile; ty <= (inside.bottom - 1) / kTile; ++ty) {
            for (int tx = inside.left / kTile; tx <= (inside.right - 1) / kTile; ++tx) {
                f(least_[static_cast<size_t>(ty) * columns_ + tx]);
            }
        }
    }

    const raster::DepthStencilSurface* surface_;
    int columns_;
    std::vector<uint32_t> least_;
};

bool DepthTestPasses(const raster::OpaqueCover& cover, uint32_t least) {
    switch (cover.depthFunc) {
        case raster::CmpFunc::LessEqual:
            return cover.depth <= least;
        case raster::CmpFunc::Less:
            return cover.depth < least;
        default:
            return true;
    }
}

// True when a depth surface serves draws on more than one target in the run: leaving one
// target's draw undone would change what the other target's draws test against.
bool SharedDepth(std::span<const QueuedDraw> draws, const raster::DepthStencilSurface* depth) {
    const raster::ColorSurface* target = nullptr;
    for (const QueuedDraw& d : draws) {
        if (d.state->depthStencil != depth) {
            continue;
        }
        if (target != nullptr && d.state->target != target) {
            return true;
        }
        target = d.state->target;
    }
    return false;
}

}  // namespace

std::vector<HiddenWork::Occluder> HiddenWork::FindOccluders(std::span<const QueuedDraw> draws,
                                                            size_t after) {
    std::vector<DepthFloor> floors;
    auto floorOf = [&](const raster::DepthStencilSurface* surface) -> DepthFloor& {
        for (DepthFloor& f : floors) {
            if (f.surface() == surface) {
                return f;
            }
        }
        return floors.emplace_back(surface);
    };
    std::vector<Occluder> occluders;
    for (size_t k = 0; k < draws.size(); ++k) {
        const QueuedDraw& d = draws[k];
        if (d.state->target == nullptr) {
            continue;
        }
        if (k > after) {
            const std::optional<raster::OpaqueCover> cover =
                raster::FindOpaqueCover(*d.state, d.type, d.vertices, d.primitives, &memo);
            if (cover &&
                (!cover->depthTested ||
                 DepthTestPasses(*cover, floorOf(d.state->depthStencil).Least(cover->pixels)))) {
                occluders.push_back(Occluder{k, cover->pixels, d.state->target,
                                             cover->writesDepth ? d.state->depthStencil : nullptr});
            }
        }
        if (const raster::DepthStencilSurface* written = DepthWritten(*d.state)) {
            floorOf(written).Lower(bounds[k], raster::LeastDepth(d.vertices, d.state->viewport));
        }
    }
    return occluders;
}

void HiddenWork::Plan(std::span<const QueuedDraw> draws) {
    areas.clear();
    areaOf.assign(draws.size(), -1);
    bounds.clear();
    for (const QueuedDraw& draw : draws) {
        bounds.push_back(draw.state->target != nullptr ? Bounds(draw) : raster::Rect{0, 0, 0, 0});
    }
    auto big = [&](size_t k) { return Area(bounds[k]) >= kBigDraw; };
    size_t first = 0;
    while (first < draws.size() && !big(first)) {
        ++first;
    }
    if (first == draws.size()) {
        return;
    }
    const std::vector<Occluder> occluders = FindOccluders(draws, first);
    if (occluders.empty()) {
        return;
    }
    std::vector<raster::Rect> rects, previous;
    for (size_t i = first; i < draws.size(); ++i) {
        const raster::DrawState& state = *draws[i].state;
        const raster::DepthStencilSurface* written = DepthWritten(state);
        if (!big(i) || (written != nullptr && SharedDepth(draws, written))) {
            continue;
        }
        rects.clear();
        for (const Occluder& o : occluders) {
            // The draw's depth values must go under the cover too.
            if (o.draw > i && o.target == state.target &&
                (written == nullptr || o.depthWritten == written) && rects.size() < kMostCovers) {
                rects.push_back(o.pixels);
            }
        }
        if (rects.empty()) {
            continue;
        }
        if (areas.empty() || !SameRects(rects, previous)) {
            areas.push_back(std::make_unique<raster::HiddenArea>(rects));
            previous = rects;
        }
        areaOf[i] = static_cast<int>(areas.size()) - 1;
    }
}

const raster::HiddenArea* HiddenWork::For(size_t index) const {
    return index < areaOf.size() && areaOf[index] >= 0 ? areas[areaOf[index]].get() : nullptr;
}

}  // namespace platform::raster
