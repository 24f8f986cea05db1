// The last stage: blends the batch's source colours with the target (saturating, per channel)
// and writes the live pixels through the colour write mask. The factor pairs the game uses have
// their own loops; every other combination goes through a general path. Chosen once per draw.
#pragma once

#include <cstdint>

#include "raster/draw_state.h"
#include "raster/pixel_batch.h"
#include "raster/surface.h"

namespace platform::raster {

class Blender {
  public:
    Blender(const RenderState& state, ColorFormat targetFormat);

    void Run(PixelBatch& batch, ColorSurface& target) const;

  private:
    enum class Kind { Replace, Add, AddSrcAlpha, Over, General };

    void Compute(const uint32_t* src, const uint32_t* dst, uint32_t* out, int count) const;
    void ComputeGeneral(const uint32_t* src, const uint32_t* dst, uint32_t* out, int count) const;
    void Factor(Blend factor, const uint32_t* src, const uint32_t* dst, uint32_t* out,
                int count) const;

    Kind kind_;
    Blend src_, dest_;
    BlendOp op_;
    uint32_t writeMask_;
    // 0xFF000000 on X8R8G8B8 targets: their alpha reads as 255 and is stored as 0xFF.
    uint32_t alphaForce_;
};

}  // namespace platform::raster
