// Alpha and depth tests, one specialised loop per comparison function.
#include "raster/pixel_tests.h"

namespace platform::raster {

namespace {

template <CmpFunc F>
inline bool Passes(uint32_t value, uint32_t reference) {
    if constexpr (F == CmpFunc::Never) {
        return false;
    } else if constexpr (F == CmpFunc::Less) {
        return value < reference;
    } else if constexpr (F == CmpFunc::Equal) {
        return value == reference;
    } else if constexpr (F == CmpFunc::LessEqual) {
        return value <= reference;
    } else if constexpr (F == CmpFunc::Greater) {
        return value > reference;
    } else if constexpr (F == CmpFunc::NotEqual) {
        return value != reference;
    } else if constexpr (F == CmpFunc::GreaterEqual) {
        return value >= reference;
    } else {
        return true;
    }
}

template <CmpFunc F>
void RunAlphaTest(PixelBatch& batch, uint32_t reference) {
    uint32_t* __restrict live = batch.live;
    const uint32_t* __restrict color = batch.color;
    uint32_t all = 1;
    for (int i = 0, n = batch.count; i < n; ++i) {
        live[i] &= Passes<F>(color[i] >> 24, reference) ? 1u : 0u;
        all &= live[i];
    }
    batch.allLive = batch.allLive && all != 0;
}

template <CmpFunc F, bool kConstant>
void RunDepthTestOf(PixelBatch& batch, DepthStencilSurface& surface, bool write) {
    // The surface never overlaps the batch; saying so lets these loops vectorise.
    uint32_t* __restrict row = surface.row(batch.y) + batch.x;
    uint32_t* __restrict live = batch.live;
    const uint32_t* __restrict depth = batch.depth;
    const uint32_t constant = batch.depthValue;
    auto depthAt = [&](int i) {
        if constexpr (kConstant) {
            return constant;
        } else {
            return depth[i];
        }
    };
    const int n = batch.count;
    uint32_t all = 1;
    for (int i = 0; i < n; ++i) {
        live[i] &= Passes<F>(depthAt(i), row[i] >> 8) ? 1u : 0u;
        all &= live[i];
    }
    batch.allLive = batch.allLive && all != 0;
    if (!write) {
        return;
    }
    for (int i = 0; i < n; ++i) {
        // All ones for a live pixel; bitwise selection vectorises where a branch would not.
        const uint32_t take = 0u - live[i];
        row[i] = (row[i] & ~(take & 0xFFFFFF00u)) | ((depthAt(i) << 8) & take);
    }
}

template <CmpFunc F>
void RunDepthTest(PixelBatch& batch, DepthStencilSurface& surface, bool write) {
    if (batch.depthConstant) {
        RunDepthTestOf<F, true>(batch, surface, write);
    } else {
        RunDepthTestOf<F, false>(batch, surface, write);
    }
}

template <template <CmpFunc> class Pick>
auto Select(CmpFunc func) {
    switch (func) {
        case CmpFunc::Never:
            return Pick<CmpFunc::Never>::value;
        case CmpFunc::Less:
            return Pick<CmpFunc::Less>::value;
        case CmpFunc::Equal:
            return Pick<CmpFunc::Equal>::value;
        case CmpFunc::LessEqual:
            return Pick<CmpFunc::LessEqual>::value;
        case CmpFunc::Greater:
            return Pick<CmpFunc::Greater>::value;
        case CmpFunc::NotEqual:
            return Pick<CmpFunc::NotEqual>::value;
        case CmpFunc::GreaterEqual:
            return Pick<CmpFunc::GreaterEqual>::value;
        default:
            return Pick<CmpFunc::Always>::value;
    }
}

template <CmpFunc F>
struct PickAlpha {
    static constexpr auto value = &RunAlphaTest<F>;
};

template <CmpFunc F>
struct PickDepth {
    static constexpr auto value = &RunDepthTest<F>;
};

template <CmpFunc F>
struct PickCompare {
    static constexpr auto value = &Passes<F>;
};

}  // namespace

bool Compare(CmpFunc func, uint32_t value, uint32_t reference) {
    return Select<PickCompare>(func)(value, reference);
}

AlphaTest::AlphaTest(bool enabled, CmpFunc func, uint8_t reference) : reference_(reference) {
    // ALWAYS (and any unknown function) keeps every pixel, so the stage is skipped.
    if (enabled && Select<PickCompare>(func) != &Passes<CmpFunc::Always>) {
        run_ = Select<PickAlpha>(func);
    }
}

DepthTest::DepthTest(DepthStencilSurface* surface, CmpFunc func, bool write)
    : surface_(surface), write_(write) {
    if (surface != nullptr) {
        run_ = Select<PickDepth>(func);
    }
}

}  // namespace platform::raster
