// The texture of stage 0 as one draw sees it: per triangle it picks the filter (magnifying or
// minifying) and the mip level or pair of levels from the texel-to-pixel ratio at the centroid;
// per batch it fills the batch's texels. With no texture bound every texel reads opaque white.
#pragma once

#include <cstdint>

#include "raster/draw_state.h"
#include "raster/pixel_batch.h"
#include "raster/sampler.h"
#include "raster/triangle_attributes.h"

namespace platform::raster {

class TextureUnit {
  public:
    TextureUnit(const Texture* texture, const SamplerState& state);

    bool bound() const { return texture_ != nullptr; }

    void PrepareTriangle(const TriangleAttributes& triangle, double cx, double cy);

    // Fills batch.texel; batch.u and batch.v are used on the way.
    void Sample(const TriangleAttributes& triangle, PixelBatch& batch) const;

    // After PrepareTriangle: true when the triangle samples one level bilinearly, which it
    // then describes (the fused path's case).
    bool SingleBilinearLevel(SampleSource* source, TexelMapping* mapping) const;
    // After PrepareTriangle: true when the triangle samples one level, point or bilinear.
    bool SingleLevel(SampleSource* source, TexelMapping* mapping, bool* bilinear) const;
    // 0xFF000000 when the texture's alpha reads as 255.
    uint32_t alphaForce() const { return alphaForce_; }

  private:
    struct Pass {
        SampleFn sample = nullptr;
        SampleSource source;
        TexelMapping mapping;
    };

    Pass MakePass(int level, bool bilinear) const;

    const Texture* texture_;
    SamplerState state_;
    SampleFn point_ = nullptr, linear_ = nullptr;
    Pass passes_[2];
    int passCount_ = 0;
    uint32_t mipWeight_ = 0;   // weight of the second level, 0..256
    uint32_t alphaForce_ = 0;  // X8R8G8B8 textures read alpha as 255
};

}  // namespace platform::raster
