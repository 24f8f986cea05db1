// Texture stage 0: combines the sampled texel and the diffuse colour of each pixel into the
// source colour, with the colour and alpha operations and arguments of the stage. The work per
// batch is a handful of array operations; the stage state is resolved once per draw.
#pragma once

#include <cstdint>

#include "raster/draw_state.h"
#include "raster/pixel_batch.h"

namespace platform::raster {

class TextureStageCombiner {
  public:
    // textureFactor feeds TextureArg::TFactor.
    TextureStageCombiner(const TextureStage& stage, uint32_t textureFactor);

    // Reads batch.texel and batch.diffuse, writes batch.color.
    void Run(PixelBatch& batch) const;

  private:
    struct Operation {
        TextureOp op;
        uint32_t arg1, arg2;
    };

    void Apply(const Operation& operation, PixelBatch& batch, uint32_t* out) const;
    const uint32_t* Argument(uint32_t arg, PixelBatch& batch, uint32_t* scratch) const;

    Operation color_, alpha_;
    // True when colour and alpha do the same thing, so one pass over whole pixels suffices.
    bool uniform_;
    alignas(16) uint32_t factor_[kBatchSize];
    alignas(16) uint32_t zero_[kBatchSize];
};

}  // namespace platform::raster
