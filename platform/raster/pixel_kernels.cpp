// The staged pipeline's vector loops, compiled per Highway target (foreach_target.h includes
// this file once for each). As in the fused loops, a lane holds one pixel and the channels are
// worked on in the 16-bit halves of it (red with blue, alpha with green), so every target gives
// the same bits; the sums fit 16 bits: a * (256 - w) + b * w + 128 <= 65408 for weights of
// 0..256, and a blend's s * a + d * (255 - a) + 128 <= 65153.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "raster/pixel_kernels.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

#include "raster/bilinear.h"
#include "raster/channel_lanes-inl.h"
#include "raster/pixel_blend.h"
#include "raster/pixel_kernels.h"

HWY_BEFORE_NAMESPACE();
namespace platform::raster {
namespace HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;
using D32 = hn::ScalableTag<uint32_t>;
using DI32 = hn::ScalableTag<int32_t>;
using V32 = hn::Vec<D32>;

using namespace channel_lanes;

void Bilinear(const uint32_t* texels, int pitch, const int32_t* offset, const uint32_t* fx,
              const uint32_t* fy, uint32_t* out, int count) {
    const D32 d;
    const DI32 di;
    const int lanes = static_cast<int>(hn::Lanes(d));
    const uint32_t* lower = texels + pitch;
    int i = 0;
    for (; i + lanes <= count; i += lanes) {
        const auto at = hn::LoadU(di, offset + i);
        const V32 wx = BothHalves(hn::LoadU(d, fx + i));
        const V32 wy = BothHalves(hn::LoadU(d, fy + i));
        const V32 left =
            LerpPixels(hn::GatherIndex(d, texels, at), hn::GatherIndex(d, lower, at), wy);
        const V32 right =
            LerpPixels(hn::GatherIndex(d, texels + 1, at), hn::GatherIndex(d, lower + 1, at), wy);
        hn::StoreU(LerpPixels(left, right, wx), d, out + i);
    }
    for (; i < count; ++i) {
        const uint32_t* top = texels + offset[i];
        out[i] = BilinearPortable(top, top + pitch, fx[i], fy[i]);
    }
}

void OverAll(const uint32_t* src, const uint32_t* dst, uint32_t* out, int count) {
    const D32 d;
    const int lanes = static_cast<int>(hn::Lanes(d));
    int i = 0;
    for (; i + lanes <= count; i += lanes) {
        hn::StoreU(OverPixels(hn::LoadU(d, src + i), hn::LoadU(d, dst + i)), d, out + i);
    }
    for (; i < count; ++i) {
        out[i] = OverOne(src[i], dst[i]);
    }
}

}  // namespace

PixelKernels KernelsOfTarget() {
    PixelKernels kernels;
    kernels.target = HWY_TARGET;
    kernels.bilinear = &Bilinear;
    kernels.over = &OverAll;
    return kernels;
}

}  // namespace HWY_NAMESPACE
}  // namespace platform::raster
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include <algorithm>
#include <functional>

#include "raster/vector_target.h"

namespace platform::raster {

HWY_EXPORT(KernelsOfTarget);

const std::vector<PixelKernels>& PixelKernelsOfProcessor() {
    static const std::vector<PixelKernels> kernels = [] {
        // Each compiled target's entry of the dispatch table (the first calls the chooser).
        std::vector<PixelKernels> compiled;
        for (const auto entry : HWY_DISPATCH_TABLE(KernelsOfTarget)) {
            if (entry == nullptr || entry == HWY_DISPATCH_TABLE(KernelsOfTarget)[0]) {
                continue;
            }
            PixelKernels one = entry();
            const bool seen = std::any_of(compiled.begin(), compiled.end(),
                                          [&](const auto& c) { return c.target == one.target; });
            if (!seen && (hwy::SupportedTargets() & one.target) != 0) {
                one.name = hwy::TargetName(one.target);
                compiled.push_back(one);
            }
        }
        // Highway's better targets have the lower bits.
        std::sort(compiled.begin(), compiled.end(),
                  [](const auto& a, const auto& b) { return a.target < b.target; });
        return compiled;
    }();
    return kernels;
}

const PixelKernels& ChosenPixelKernels() {
    static const PixelKernels& chosen = [] {
        for (const PixelKernels& kernels : PixelKernelsOfProcessor()) {
            if (kernels.target == ChosenVectorTarget()) {
                return std::cref(kernels);
            }
        }
        return std::cref(PixelKernelsOfProcessor().front());
    }();
    return chosen;
}

}  // namespace platform::raster
#endif
