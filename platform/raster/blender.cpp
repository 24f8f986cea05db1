// Alpha blending and the colour write. Unknown blend factors act as ZERO, unknown operations
// as ADD.
#include "raster/blender.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "raster/color_ops.h"
#include "raster/pixel_blend.h"

namespace platform::raster {

namespace {

uint32_t ChannelMask(uint32_t colorWriteEnable) {
    uint32_t mask = 0;
    mask |= (colorWriteEnable & 1) ? 0x00FF0000u : 0u;
    mask |= (colorWriteEnable & 2) ? 0x0000FF00u : 0u;
    mask |= (colorWriteEnable & 4) ? 0x000000FFu : 0u;
    mask |= (colorWriteEnable & 8) ? 0xFF000000u : 0u;
    return mask;
}

#if defined(__SSE2__)

void ComputeOver(const uint32_t* src, const uint32_t* dst, uint32_t* out, int count) {
    const __m128i zero = _mm_setzero_si128();
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        const __m128i low = OverLanes(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
        const __m128i high = OverLanes(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
    for (; i < count; ++i) {
        out[i] = OverOne(src[i], dst[i]);
    }
}

#else

void ComputeOver(const uint32_t* src, const uint32_t* dst, uint32_t* out, int count) {
    for (int i = 0; i < count; ++i) {
        out[i] = OverOne(src[i], dst[i]);
    }
}

#endif

void ComputeAddSrcAlpha(const uint32_t* src, const uint32_t* dst, uint32_t* out, int count) {
    alignas(16) uint32_t alpha[kBatchSize];
    alignas(16) uint32_t scaled[kBatchSize];
    ReplicateAlpha(src, alpha, count);
    Modulate(src, alpha, scaled, count, 0);
    AddSaturate(scaled, dst, out, count);
}

void MinMax(const uint32_t* src, const uint32_t* dst, uint32_t* out, int count, bool max) {
    const auto* s = reinterpret_cast<const uint8_t*>(src);
    const auto* d = reinterpret_cast<const uint8_t*>(dst);
    auto* o = reinterpret_cast<uint8_t*>(out);
    for (int i = 0; i < count * 4; ++i) {
        o[i] = max ? std::max(s[i], d[i]) : std::min(s[i], d[i]);
    }
}

}  // namespace

Blender::Blender(const RenderState& state, ColorFormat targetFormat)
    : src_(state.srcBlend),
      dest_(state.destBlend),
      op_(state.blendOp),
      writeMask_(ChannelMask(state.colorWriteEnable)),
      alphaForce_(targetFormat == ColorFormat::X8R8G8B8 ? 0xFF000000u : 0u) {
    const bool add = op_ == BlendOp::Add;
    if (!state.alphaBlendEnable || (add && src_ == Blend::One && dest_ == Blend::Zero)) {
        kind_ = Kind::Replace;
    } else if (add && src_ == Blend::One && dest_ == Blend::One) {
        kind_ = Kind::Add;
    } else if (add && src_ == Blend::SrcAlpha && dest_ == Blend::One) {
        kind_ = Kind::AddSrcAlpha;
    } else if (add && src_ == Blend::SrcAlpha && dest_ == Blend::InvSrcAlpha) {
        kind_ = Kind::Over;
    } else {
        kind_ = Kind::General;
    }
}

void Blender::Run(PixelBatch& batch, ColorSurface& target) const {
    // The target never overlaps the batch.
    uint32_t* __restrict dst = target.row(batch.y) + batch.x;
    const int n = batch.count;
    alignas(16) uint32_t dstRead[kBatchSize];
    const uint32_t* dstIn = dst;
    if (alphaForce_ != 0 && kind_ != Kind::Replace) {
        for (int i = 0; i < n; ++i) {
            dstRead[i] = dst[i] | alphaForce_;
        }
        dstIn = dstRead;
    }
    if (batch.allLive && writeMask_ == 0xFFFFFFFFu) {
        Compute(batch.color, dstIn, dst, n);
        if (alphaForce_ != 0) {
            const uint32_t force = alphaForce_;
            for (int i = 0; i < n; ++i) {
                dst[i] |= force;
            }
        }
        return;
    }
    alignas(16) uint32_t result[kBatchSize];
    Compute(batch.color, dstIn, result, n);
    const uint32_t keep = ~writeMask_;
    if (batch.allLive) {
        for (int i = 0; i < n; ++i) {
            dst[i] = ((result[i] & writeMask_) | (dst[i] & keep)) | alphaForce_;
        }
        return;
    }
    const uint32_t mask = writeMask_, force = alphaForce_;
    for (int i = 0; i < n; ++i) {
        const uint32_t take = (0u - batch.live[i]) & mask;
        dst[i] = (result[i] & take) | (dst[i] & ~take) | (force & (0u - batch.live[i]));
    }
}

void Blender::Compute(const uint32_t* src, const uint32_t* dst, uint32_t* out, int count) const {
    switch (kind_) {
        case Kind::Replace:
            std::copy(src, src + count, out);
            break;
        case Kind::Add:
            AddSaturate(src, dst, out, count);
            break;
        case Kind::AddSrcAlpha:
            ComputeAddSrcAlpha(src, dst, out, count);
            break;
        case Kind::Over:
            ComputeOver(src, dst, out, count);
            break;
        case Kind::General:
            ComputeGeneral(src, dst, out, count);
            break;
    }
}

void Blender::ComputeGeneral(const uint32_t* src, const uint32_t* dst, uint32_t* out,
                             int count) const {
    if (op_ == BlendOp::Min || op_ == BlendOp::Max) {
        // These ignore the factors.
        MinMax(src, dst, out, count, op_ == BlendOp::Max);
        return;
    }
    alignas(16) uint32_t srcTerm[kBatchSize];
    alignas(16) uint32_t dstTerm[kBatchSize];
    Factor(src_, src, dst, srcTerm, count);
    Factor(dest_, src, dst, dstTerm, count);
    Modulate(src, srcTerm, srcTerm, count, 0);
    Modulate(dst, dstTerm, dstTerm, count, 0);
    switch (op_) {
        case BlendOp::Subtract:
            SubtractSaturate(srcTerm, dstTerm, out, count);
            break;
        case BlendOp::RevSubtract:
            SubtractSaturate(dstTerm, srcTerm, out, count);
            break;
        default:
            AddSaturate(srcTerm, dstTerm, out, count);
            break;
    }
}

void Blender::Factor(Blend factor, const uint32_t* src, const uint32_t* dst, uint32_t* out,
                     int count) const {
    switch (factor) {
        case Blend::One:
            std::fill(out, out + count, 0xFFFFFFFFu);
            break;
        case Blend::SrcColor:
            std::copy(src, src + count, out);
            break;
        case Blend::InvSrcColor:
            Complement(src, out, count);
            break;
        case Blend::SrcAlpha:
            ReplicateAlpha(src, out, count);
            break;
        case Blend::InvSrcAlpha:
            ReplicateAlpha(src, out, count);
            Complement(out, out, count);
            break;
        case Blend::DestAlpha:
            ReplicateAlpha(dst, out, count);
            break;
        case Blend::InvDestAlpha:
            ReplicateAlpha(dst, out, count);
            Complement(out, out, count);
            break;
        case Blend::DestColor:
            std::copy(dst, dst + count, out);
            break;
        case Blend::InvDestColor:
            Complement(dst, out, count);
            break;
        case Blend::SrcAlphaSat:
            for (int i = 0; i < count; ++i) {
                const uint32_t f = std::min(src[i] >> 24, 255 - (dst[i] >> 24));
                out[i] = 0xFF000000u | f * 0x00010101u;
            }
            break;
        default:
            std::fill(out, out + count, 0u);
            break;
    }
}

}  // namespace platform::raster
