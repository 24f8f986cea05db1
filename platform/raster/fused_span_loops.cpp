// The fused path's vector loops, written once over Highway's lanes and compiled per target
// (foreach_target.h includes this file once for each). A lane holds one pixel; the channel
// arithmetic works on 16-bit halves of it, red with blue and alpha with green, so that every
// operation stays within its lane and gives the same bits at any width: the staged pipeline's,
// which the random comparison test holds every target to.
//
// Coordinates are folded: adding half a step (0x80) before splitting a 16.16 coordinate gives
// the staged pipeline's taps and weights, except that a weight of 256 on the next texel becomes
// a weight of 0 on the texel after, which blends to the same value. Weights then fit 0..255,
// and every intermediate sum fits 16 bits: a * (256 - w) + b * w + 128 <= 65408, and the
// rounded division by 255 after a product is (x + (x >> 8)) >> 8 of x = a * b + 128 <= 65153.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "raster/fused_span_loops.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include "raster/channel_lanes-inl.h"
#include "raster/fused_span_loops.h"
#include "raster/fused_span_pixel.h"

HWY_BEFORE_NAMESPACE();
namespace platform::raster {
namespace HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;
using D32 = hn::ScalableTag<uint32_t>;
using DI32 = hn::ScalableTag<int32_t>;
using D8 = hn::ScalableTag<uint8_t>;
using V32 = hn::Vec<D32>;
using VI32 = hn::Vec<DI32>;
using M32 = hn::Mask<D32>;

// Red and blue of each pixel in the 16-bit halves of its lane; alpha and green; and back.
using namespace channel_lanes;

// The 2 x 2 blocks of a group's pixels from their folded coordinates, filtered: the staged
// pipeline's bilinear sample (columns first, then across).
HWY_INLINE void Sample(const FusedSpanJob& j, VI32 u, VI32 v, V32& redBlue, V32& alphaGreen) {
    const D32 d;
    const DI32 di;
    const VI32 offset =
        hn::Add(hn::Mul(hn::ShiftRight<16>(v), hn::Set(di, j.pitch)), hn::ShiftRight<16>(u));
    const V32 byte = hn::Set(d, 0xFF);
    const V32 wx = BothHalves(hn::And(hn::BitCast(d, hn::ShiftRight<8>(u)), byte));
    const V32 wy = BothHalves(hn::And(hn::BitCast(d, hn::ShiftRight<8>(v)), byte));
    const uint32_t* upper = j.texels;
    const uint32_t* lower = j.texels + j.pitch;
    const V32 topLeft = hn::GatherIndex(d, upper, offset);
    const V32 topRight = hn::GatherIndex(d, upper + 1, offset);
    const V32 bottomLeft = hn::GatherIndex(d, lower, offset);
    const V32 bottomRight = hn::GatherIndex(d, lower + 1, offset);
    redBlue = Lerp(Lerp(RedBlue(topLeft), RedBlue(bottomLeft), wy),
                   Lerp(RedBlue(topRight), RedBlue(bottomRight), wy), wx);
    alphaGreen = Lerp(Lerp(AlphaGreen(topLeft), AlphaGreen(bottomLeft), wy),
                      Lerp(AlphaGreen(topRight), AlphaGreen(bottomRight), wy), wx);
}

// One group of Lanes() pixels: the k-th of the batch starting at (u0, v0) on, written to
// `target` and `depthRow` (the span's own memory, or a copy of a partial group's). `direct`:
// texel (x, y) maps one to one onto the pixels from `direct` on (every weight is 0), so the
// texels are read in a row, giving the same values.
template <FusedBlend kBlend, bool kTextured, bool kDepth, bool kDepthWrite>
HWY_INLINE void Group(const FusedSpanJob& j, int32_t u0, int32_t v0, int k, const uint32_t* direct,
                      uint32_t* target, uint32_t* depthRow) {
    const D32 d;
    const DI32 di;
    const V32 modRedBlue = RedBlue(hn::Set(d, j.modulator));
    const V32 modAlphaGreen = AlphaGreen(hn::Set(d, j.modulator));
    V32 redBlue = modRedBlue, alphaGreen = modAlphaGreen;  // untextured: white modulated
    if constexpr (kTextured) {
        if (direct != nullptr) {
            const V32 texel = hn::LoadU(d, direct);
            redBlue = RedBlue(texel);
            alphaGreen = AlphaGreen(texel);
        } else {
            const VI32 lane = hn::Iota(di, k);
            const VI32 u = hn::Add(hn::Set(di, u0 + 0x80), hn::Mul(lane, hn::Set(di, j.du)));
            const VI32 v = hn::Add(hn::Set(di, v0 + 0x80), hn::Mul(lane, hn::Set(di, j.dv)));
            Sample(j, u, v, redBlue, alphaGreen);
        }
        alphaGreen = hn::Or(alphaGreen, AlphaGreen(hn::Set(d, j.textureForce)));
        redBlue = MulDiv255(redBlue, modRedBlue);
        alphaGreen = MulDiv255(alphaGreen, modAlphaGreen);
    }
    const V32 color = Join(redBlue, alphaGreen);
    const V32 alpha = hn::ShiftRight<24>(color);
    M32 live = hn::RebindMask(d, hn::Gt(hn::BitCast(di, alpha), hn::Set(di, j.alphaRef)));
    if (!j.alphaTest) {
        live = hn::FirstN(d, hn::Lanes(d));
    }
    if constexpr (kDepth) {
        const V32 words = hn::LoadU(d, depthRow);
        // 24-bit depths compare the same signed.
        const auto nearer = hn::Gt(hn::Set(di, static_cast<int32_t>(j.depth)),
                                   hn::BitCast(di, hn::ShiftRight<8>(words)));
        live = hn::AndNot(hn::RebindMask(d, nearer), live);
        if constexpr (kDepthWrite) {
            const V32 written = hn::Or(hn::And(words, hn::Set(d, 0xFFu)), hn::Set(d, j.depth << 8));
            hn::StoreU(hn::IfThenElse(live, written, words), d, depthRow);
        }
    }
    const V32 force = hn::Set(d, j.targetForce);
    const V32 dst = hn::LoadU(d, target);
    const V32 in = hn::Or(dst, force);
    V32 result;
    if constexpr (kBlend == FusedBlend::Add) {
        const D8 d8;
        result = hn::BitCast(d, hn::SaturatedAdd(hn::BitCast(d8, color), hn::BitCast(d8, in)));
    } else {
        const V32 alphas = BothHalves(alpha);
        result = Join(Over(redBlue, RedBlue(in), alphas), Over(alphaGreen, AlphaGreen(in), alphas));
    }
    hn::StoreU(hn::IfThenElse(live, hn::Or(result, force), dst), d, target);
}

template <FusedBlend kBlend, bool kTextured, bool kDepth, bool kDepthWrite>
void RunLoop(const FusedSpanJob& j) {
    const D32 d;
    const int lanes = static_cast<int>(hn::Lanes(d));
    for (int first = 0, b = 0; first < j.count; first += kBatchSize, ++b) {
        const int n = std::min(kBatchSize, j.count - first);
        const int32_t u0 = kTextured ? j.batchU[b] : 0, v0 = kTextured ? j.batchV[b] : 0;
        const int done = fused::VectorCount(j, u0, v0, n, lanes, kTextured);
        // A one-to-one copy (the screen-sized copy of the play field, unscaled sprites) whose
        // samples all fall on texel centres.
        const bool direct = kTextured && j.du == 0x10000 && j.dv == 0 &&
                            ((u0 + 0x80) & 0xFF00) == 0 && ((v0 + 0x80) & 0xFF00) == 0;
        const uint32_t* texels =
            direct ? j.texels + static_cast<std::ptrdiff_t>((v0 + 0x80) >> 16) * j.pitch +
                         ((u0 + 0x80) >> 16)
                   : nullptr;
        for (int k = 0; k < done; k += lanes) {
            const int p = first + k;
            const uint32_t* row = direct ? texels + k : nullptr;
            uint32_t* depth = kDepth ? j.depthRow + p : nullptr;
            if (k + lanes <= done) {
                Group<kBlend, kTextured, kDepth, kDepthWrite>(j, u0, v0, k, row, j.target + p,
                                                              depth);
                continue;
            }
            // The last, partial group works on copies, so that it touches only its pixels.
            const size_t m = static_cast<size_t>(done - k);
            alignas(HWY_MAX_BYTES) uint32_t targetCopy[HWY_MAX_BYTES / 4] = {};
            alignas(HWY_MAX_BYTES) uint32_t depthCopy[HWY_MAX_BYTES / 4] = {};
            std::copy_n(j.target + p, m, targetCopy);
            if (kDepth) {
                std::copy_n(depth, m, depthCopy);
            }
            Group<kBlend, kTextured, kDepth, kDepthWrite>(j, u0, v0, k, row, targetCopy, depthCopy);
            std::copy_n(targetCopy, m, j.target + p);
            if (kDepth) {
                std::copy_n(depthCopy, m, depth);
            }
        }
        fused::ShadeRest(j, u0, v0, first, done, n);
    }
}

template <FusedBlend kBlend, bool kTextured>
void Run(const FusedSpanJob& j) {
    if (j.depthRow == nullptr) {
        RunLoop<kBlend, kTextured, false, false>(j);
    } else if (j.depthWrite) {
        RunLoop<kBlend, kTextured, true, true>(j);
    } else {
        RunLoop<kBlend, kTextured, true, false>(j);
    }
}

}  // namespace

// This target's loops, and which target it is.
CompiledSpanLoops LoopsOfTarget() {
    CompiledSpanLoops compiled;
    compiled.target.target = HWY_TARGET;
    compiled.loops = SpanLoops{{{&Run<FusedBlend::Add, false>, &Run<FusedBlend::Add, true>},
                                {&Run<FusedBlend::Over, false>, &Run<FusedBlend::Over, true>}}};
    return compiled;
}

}  // namespace HWY_NAMESPACE
}  // namespace platform::raster
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include <string>

namespace platform::raster {

HWY_EXPORT(LoopsOfTarget);

const std::vector<CompiledSpanLoops>& SpanLoopsOfProcessor() {
    static const std::vector<CompiledSpanLoops> loops = [] {
        // Each compiled target's entry of the dispatch table (the first calls the chooser).
        std::vector<CompiledSpanLoops> compiled;
        for (const auto entry : HWY_DISPATCH_TABLE(LoopsOfTarget)) {
            if (entry == nullptr || entry == HWY_DISPATCH_TABLE(LoopsOfTarget)[0]) {
                continue;
            }
            const CompiledSpanLoops one = entry();
            const bool seen = std::any_of(compiled.begin(), compiled.end(), [&](const auto& c) {
                return c.target.target == one.target.target;
            });
            if (!seen && (hwy::SupportedTargets() & one.target.target) != 0) {
                compiled.push_back(one);
            }
        }
        // Highway's better targets have the lower bits.
        std::sort(compiled.begin(), compiled.end(),
                  [](const auto& a, const auto& b) { return a.target.target < b.target.target; });
        static std::vector<std::string> counters;
        counters.reserve(compiled.size());
        for (CompiledSpanLoops& c : compiled) {
            c.target.name = hwy::TargetName(c.target.target);
            counters.push_back(std::string("FusedSpan.") + c.target.name);
            c.target.counter = counters.back().c_str();
        }
        return compiled;
    }();
    return loops;
}

}  // namespace platform::raster
#endif
