// Deciding a sprite's opaque cover: its state, its rectangle and the alpha of the texels it reads.
#include "raster/opaque_cover.h"

#include <algorithm>
#include <cmath>

#include "raster/clear.h"
#include "raster/pixel_batch.h"
#include "raster/texture_unit.h"
#include "raster/triangle_attributes.h"
#include "raster/triangle_edges.h"
#include "raster/triangle_renderer.h"

namespace platform::raster {

namespace {

// What the draw needs for its output not to depend on the target.
enum class AlphaNeed { None, Opaque, Impossible };

bool AlphaTestPasses255(CmpFunc func, uint8_t ref) {
    switch (func) {
        case CmpFunc::Always:
        case CmpFunc::GreaterEqual:
            return true;
        case CmpFunc::Greater:
        case CmpFunc::NotEqual:
            return ref < 255;
        case CmpFunc::Equal:
        case CmpFunc::LessEqual:
            return ref == 255;
        default:
            return false;
    }
}

AlphaNeed NeedOf(const RenderState& r) {
    if ((r.colorWriteEnable & 0xF) != 0xF) {
        return AlphaNeed::Impossible;
    }
    if (r.alphaTestEnable && !AlphaTestPasses255(r.alphaFunc, r.alphaRef)) {
        return AlphaNeed::Impossible;
    }
    bool needsOpaque = r.alphaTestEnable;
    if (r.alphaBlendEnable) {
        if (r.blendOp != BlendOp::Add) {
            return AlphaNeed::Impossible;
        }
        const bool replace = r.srcBlend == Blend::One && r.destBlend == Blend::Zero;
        const bool over = r.srcBlend == Blend::SrcAlpha && r.destBlend == Blend::InvSrcAlpha;
        if (!replace && !over) {
            return AlphaNeed::Impossible;
        }
        needsOpaque = needsOpaque || over;
    }
    return needsOpaque ? AlphaNeed::Opaque : AlphaNeed::None;
}

// Where stage 0's alpha comes from, when it is 255 for a texel and a diffuse alpha of 255.
struct AlphaSources {
    bool known = false;
    bool texture = false;  // reads the texel's alpha
};

AlphaSources SourcesOf(const TextureStage& stage, uint32_t textureFactor) {
    AlphaSources sources;
    bool ok = true;
    auto take = [&](uint32_t arg) {
        switch (arg) {  // any modifier bit makes the argument unknown
            case TextureArg::Texture:
                sources.texture = true;
                break;
            case TextureArg::Diffuse:
            case TextureArg::Current:  // stage 0: the diffuse colour
                break;
            case TextureArg::TFactor:
                ok = ok && (textureFactor >> 24) == 0xFF;
                break;
            default:
                ok = false;
        }
    };
    switch (stage.alphaOp) {
        case TextureOp::SelectArg1:
            take(stage.alphaArg1);
            break;
        case TextureOp::SelectArg2:
            take(stage.alphaArg2);
            break;
        case TextureOp::Modulate:
            take(stage.alphaArg1);
            take(stage.alphaArg2);
            break;
        default:
            ok = false;
    }
    sources.known = ok && stage.colorOp != TextureOp::Disable;
    return sources;
}

// The texels [first, last] of one axis after addressing, as at most two ranges; false when
// they cannot be told.
struct AxisRanges {
    int count = 0;
    int first[2], last[2];
};

bool Address(int64_t first, int64_t last, int size, TextureAddress mode, AxisRanges* out) {
    if (first >= 0 && last < size) {
        *out = AxisRanges{1, {static_cast<int>(first), 0}, {static_cast<int>(last), 0}};
        return true;
    }
    if (mode == TextureAddress::Clamp) {
        const int a = static_cast<int>(std::clamp<int64_t>(first, 0, size - 1));
        const int b = static_cast<int>(std::clamp<int64_t>(last, 0, size - 1));
        *out = AxisRanges{1, {a, 0}, {b, 0}};
        return true;
    }
    if (mode != TextureAddress::Wrap) {
        return false;
    }
    if (last - first + 1 >= size) {
        *out = AxisRanges{1, {0, 0}, {size - 1, 0}};
        return true;
    }
    const int a = static_cast<int>(((first % size) + size) % size);
    const int b = static_cast<int>(((last % size) + size) % size);
    *out = a <= b ? AxisRanges{1, {a, 0}, {b, 0}} : AxisRanges{2, {a, 0}, {size - 1, b}};
    return true;
}

// The least and greatest 16.16 coordinate of one axis of a level triangle over the positions
// [first, last], where `start(x)` is the coordinate of a batch starting at x and the coordinate
// steps by `step` a pixel within a batch; `slope` is the exact change a pixel. Batch starts
// are monotonic along the axis, so their extremes are at the ends; the steps can only
// overshoot at the far end, by their rounding over one batch and the rounding of the starts.
// False when the coordinates wrap between the ends.
template <typename Start>
bool AxisExtent(Start start, int first, int last, int32_t step, double slope, int64_t* lo,
                int64_t* hi) {
    const int64_t a = start(first), b = start(last);
    // Wrapping between the ends would show as a jump of a whole period.
    if (std::abs(static_cast<double>(b - a) - slope * (last - first)) > 2.0) {
        return false;
    }
    *lo = std::min(a, b);
    *hi = std::max(a, b);
    const auto overshoot = static_cast<int64_t>(
        std::floor(1.000001 + (kBatchSize - 1) * std::abs(static_cast<double>(step) - slope)));
    if (step > 0) {
        *hi += overshoot;
    } else if (step < 0) {
        *lo -= overshoot;
    }
    return true;
}

bool AllOpaque(const SampleSource& source, const AxisRanges& xs, const AxisRanges& ys) {
    for (int j = 0; j < ys.count; ++j) {
        for (int y = ys.first[j]; y <= ys.last[j]; ++y) {
            const uint32_t* row = source.texels + static_cast<size_t>(y) * source.pitch;
            for (int i = 0; i < xs.count; ++i) {
                if (!std::all_of(row + xs.first[i], row + xs.last[i] + 1,
                                 [](uint32_t texel) { return texel >= 0xFF000000u; })) {
                    return false;
                }
            }
        }
    }
    return true;
}

// True when every texel the triangle reads over the rectangle has alpha 255. Needs a level
// triangle whose u follows x alone and v follows y alone (a sprite).
bool TexelsOpaque(const DrawState& state, const TriangleAttributes& t, const Rect& pixels,
                  double cx, double cy, OpaqueTexelMemo* memo) {
    TextureUnit unit(state.texture, state.sampler);
    if (unit.alphaForce() != 0) {
        return true;
    }
    unit.PrepareTriangle(t, cx, cy);
    SampleSource source;
    TexelMapping mapping;
    bool bilinear = false;
    if (t.perspective || t.u.dy != 0 || t.v.dx != 0 ||
        !unit.SingleLevel(&source, &mapping, &bilinear)) {
        return false;
    }
    AffineTexCoords coords(t, mapping);
    coords.SetRow(pixels.top);
    int64_t u0 = 0, u1 = 0, v0 = 0, v1 = 0;
    const bool uKnown =
        AxisExtent([&](int x) { return int64_t{coords.At(x).u0}; }, pixels.left, pixels.right - 1,
                   coords.du(), t.u.dx * mapping.scaleU, &u0, &u1);
    // v is the same along a row (its step is 0), so the rows' values are the extent.
    auto rowV = [&](int y) {
        coords.SetRow(y);
        return int64_t{coords.At(pixels.left).v0};
    };
    const bool vKnown =
        AxisExtent(rowV, pixels.top, pixels.bottom - 1, 0, t.v.dy * mapping.scaleV, &v0, &v1);
    // A bilinear sample reads its second texel with the weight in bits 8-15 of the coordinate;
    // at the greatest coordinate that weight is the greatest among those on the same texel.
    auto lastTexel = [&](int64_t greatest) {
        return (greatest >> 16) + (bilinear && (greatest & 0xFF00) != 0 ? 1 : 0);
    };
    AxisRanges xs, ys;
    if (!uKnown || !vKnown ||
        !Address(u0 >> 16, lastTexel(u1), source.width, state.sampler.addressU, &xs) ||
        !Address(v0 >> 16, lastTexel(v1), source.height, state.sampler.addressV, &ys)) {
        return false;
    }
    if (source.surface == nullptr) {
        return AllOpaque(source, xs, ys);
    }
    const OpaqueTexelMemo::Key key{
        source.surface->id(),
        source.surface->version(),
        {xs.first[0], xs.last[0], xs.count > 1 ? xs.first[1] : 0, xs.count > 1 ? xs.last[1] : -1,
         ys.first[0], ys.last[0], ys.count > 1 ? ys.first[1] : 0, ys.count > 1 ? ys.last[1] : -1}};
    if (memo != nullptr) {
        if (const bool* known = memo->Find(key)) {
            return *known;
        }
    }
    const bool opaque = AllOpaque(source, xs, ys);
    if (memo != nullptr) {
        memo->Store(key, opaque);
    }
    return opaque;
}

// The depth part of the cover; false when the depth test or write cannot be told.
bool DepthOf(const DrawState& state, std::span<const ScreenVertex> corners, OpaqueCover* cover) {
    if (state.depthStencil == nullptr || !state.render.zEnable) {
        return true;
    }
    const CmpFunc func = state.render.zFunc;
    if (func != CmpFunc::Always && func != CmpFunc::LessEqual && func != CmpFunc::Less) {
        return false;
    }
    if (!std::all_of(corners.begin(), corners.end(),
                     [&](const ScreenVertex& v) { return v.z == corners[0].z; })) {
        return false;
    }
    cover->depthTested = func != CmpFunc::Always;
    cover->depthFunc = func;
    cover->depth = LeastDepth(corners, state.viewport);
    cover->writesDepth = state.render.zWriteEnable;
    return true;
}

}  // namespace

std::optional<OpaqueCover> FindOpaqueCover(const DrawState& state, PrimitiveType type,
                                           std::span<const ScreenVertex> vertices,
                                           size_t primitiveCount, OpaqueTexelMemo* memo) {
    const AlphaNeed need = NeedOf(state.render);
    if (state.target == nullptr || type != PrimitiveType::TriangleStrip || primitiveCount != 2 ||
        vertices.size() < 4 || need == AlphaNeed::Impossible) {
        return std::nullopt;
    }
    // The sprite's corners: top left, top right, bottom left, bottom right (or mirrored).
    const ScreenVertex* c = vertices.data();
    for (int k = 0; k < 4; ++k) {
        if (!std::isfinite(c[k].x) || !std::isfinite(c[k].y) || !std::isfinite(c[k].z) ||
            !InsideGuardBand(c[k])) {
            return std::nullopt;
        }
    }
    if (c[0].x != c[2].x || c[1].x != c[3].x || c[0].y != c[1].y || c[2].y != c[3].y ||
        c[0].x == c[1].x || c[0].y == c[2].y) {
        return std::nullopt;
    }
    OpaqueCover cover;
    const Rect clip = DrawClip(state);
    cover.pixels = Intersect(UprightRectPixels(std::min(c[0].x, c[1].x), std::min(c[0].y, c[2].y),
                                               std::max(c[0].x, c[1].x), std::max(c[0].y, c[2].y)),
                             clip);
    if (cover.pixels.left >= cover.pixels.right || cover.pixels.top >= cover.pixels.bottom ||
        !DepthOf(state, std::span(c, 4), &cover)) {
        return std::nullopt;
    }
    const AlphaSources sources = SourcesOf(state.stage, state.render.textureFactor);
    if (need == AlphaNeed::Opaque && !sources.known) {
        return std::nullopt;
    }
    // The strip's two triangles, as the rasteriser takes them; both must be drawn.
    const ScreenVertex* triangles[2][3] = {{&c[0], &c[1], &c[2]}, {&c[2], &c[1], &c[3]}};
    for (const auto& tri : triangles) {
        TriangleEdges edges;
        if (!SetUpEdges(tri, state.render.cullMode, clip, &edges)) {
            return std::nullopt;
        }
        if (need != AlphaNeed::Opaque) {
            continue;
        }
        const TriangleAttributes t = BuildAttributes(*tri[0], *tri[1], *tri[2], state.viewport);
        if (!t.valid || !t.flatColor || (t.flatDiffuse >> 24) != 0xFF) {
            return std::nullopt;
        }
        const double cx = (double{tri[0]->x} + tri[1]->x + tri[2]->x) / 3.0;
        const double cy = (double{tri[0]->y} + tri[1]->y + tri[2]->y) / 3.0;
        if (sources.texture && state.texture != nullptr &&
            !TexelsOpaque(state, t, cover.pixels, cx, cy, memo)) {
            return std::nullopt;
        }
    }
    return cover;
}

const bool* OpaqueTexelMemo::Find(const Key& key) const {
    const auto found = known.find(key);
    return found == known.end() ? nullptr : &found->second;
}

void OpaqueTexelMemo::Store(const Key& key, bool opaque) {
    if (known.size() >= 4096) {
        known.clear();  // surfaces come and go; start afresh rather than grow
    }
    known[key] = opaque;
}

size_t OpaqueTexelMemo::Hash::operator()(const Key& key) const {
    uint64_t h = key.surface * 0x9E3779B97F4A7C15ull ^ key.version;
    for (int r : key.ranges) {
        h = (h ^ static_cast<uint32_t>(r)) * 0x100000001B3ull;
    }
    return static_cast<size_t>(h);
}

}  // namespace platform::raster
