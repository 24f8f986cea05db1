// Texture stage 0 operations over a batch. Disable passes the diffuse colour through, as does
// any operation the rasteriser does not know.
#include "raster/texture_stage.h"

#include <algorithm>
#include <cstring>

#include "raster/color_ops.h"

namespace platform::raster {

namespace {

bool Known(TextureOp op) {
    switch (op) {
        case TextureOp::SelectArg1:
        case TextureOp::SelectArg2:
        case TextureOp::Modulate:
        case TextureOp::Modulate2x:
        case TextureOp::Modulate4x:
        case TextureOp::Add:
        case TextureOp::AddSigned:
        case TextureOp::Subtract:
            return true;
        default:
            return false;
    }
}

}  // namespace

TextureStageCombiner::TextureStageCombiner(const TextureStage& stage, uint32_t textureFactor) {
    const bool disabled = !Known(stage.colorOp);
    // A disabled stage 0 passes the current colour, which at stage 0 is the diffuse colour.
    const Operation passDiffuse{TextureOp::SelectArg1, TextureArg::Diffuse, TextureArg::Diffuse};
    color_ = disabled ? passDiffuse : Operation{stage.colorOp, stage.colorArg1, stage.colorArg2};
    alpha_ = (disabled || !Known(stage.alphaOp))
                 ? passDiffuse
                 : Operation{stage.alphaOp, stage.alphaArg1, stage.alphaArg2};
    uniform_ = color_.op == alpha_.op && color_.arg1 == alpha_.arg1 && color_.arg2 == alpha_.arg2;
    std::fill(std::begin(factor_), std::end(factor_), textureFactor);
    std::fill(std::begin(zero_), std::end(zero_), 0u);
}

void TextureStageCombiner::Run(PixelBatch& batch) const {
    if (uniform_) {
        Apply(color_, batch, batch.color);
        return;
    }
    alignas(16) uint32_t alpha[kBatchSize];
    Apply(color_, batch, batch.color);
    Apply(alpha_, batch, alpha);
    for (int i = 0, n = batch.count; i < n; ++i) {
        batch.color[i] = (batch.color[i] & 0x00FFFFFFu) | (alpha[i] & 0xFF000000u);
    }
}

const uint32_t* TextureStageCombiner::Argument(uint32_t arg, PixelBatch& batch,
                                               uint32_t* scratch) const {
    const uint32_t* source = batch.diffuse;
    switch (arg & TextureArg::SelectMask) {
        case TextureArg::Texture:
            source = batch.texel;
            break;
        case TextureArg::TFactor:
            source = factor_;
            break;
        case TextureArg::Specular:
        case TextureArg::Temp:
            source = zero_;
            break;
        default:
            break;
    }
    if ((arg & TextureArg::AlphaReplicate) != 0) {
        ReplicateAlpha(source, scratch, batch.count);
        source = scratch;
    }
    if ((arg & TextureArg::Complement) != 0) {
        Complement(source, scratch, batch.count);
        source = scratch;
    }
    return source;
}

void TextureStageCombiner::Apply(const Operation& operation, PixelBatch& batch,
                                 uint32_t* out) const {
    alignas(16) uint32_t scratch1[kBatchSize];
    alignas(16) uint32_t scratch2[kBatchSize];
    const uint32_t* a = Argument(operation.arg1, batch, scratch1);
    const int n = batch.count;
    switch (operation.op) {
        case TextureOp::SelectArg1:
            std::memcpy(out, a, sizeof(uint32_t) * n);
            return;
        case TextureOp::SelectArg2:
            std::memcpy(out, Argument(operation.arg2, batch, scratch2), sizeof(uint32_t) * n);
            return;
        default:
            break;
    }
    const uint32_t* b = Argument(operation.arg2, batch, scratch2);
    switch (operation.op) {
        case TextureOp::Modulate2x:
            Modulate(a, b, out, n, 1);
            break;
        case TextureOp::Modulate4x:
            Modulate(a, b, out, n, 2);
            break;
        case TextureOp::Add:
            AddSaturate(a, b, out, n);
            break;
        case TextureOp::AddSigned:
            AddSigned(a, b, out, n);
            break;
        case TextureOp::Subtract:
            SubtractSaturate(a, b, out, n);
            break;
        default:
            Modulate(a, b, out, n, 0);
            break;
    }
}

}  // namespace platform::raster
