// The staged pipeline's vector loops over a batch's arrays (bilinear samples whose blocks lie
// inside the texture, the source-over blend), written once with Highway and compiled per
// target like the fused loops. Each target gives the bits of the one-pixel functions
// (BilinearPortable, OverOne).
#pragma once

#include <cstdint>
#include <vector>

namespace platform::raster {

struct PixelKernels {
    int64_t target = 0;  // Highway's target bit
    const char* name = "";
    // out[i]: the bilinear blend of the 2 x 2 block at texels + offset[i] (rows `pitch` apart)
    // with weights fx[i], fy[i] of 0..256 for the right column and the lower row.
    void (*bilinear)(const uint32_t* texels, int pitch, const int32_t* offset, const uint32_t* fx,
                     const uint32_t* fy, uint32_t* out, int count) = nullptr;
    // out[i] = OverOne(src[i], dst[i]).
    void (*over)(const uint32_t* src, const uint32_t* dst, uint32_t* out, int count) = nullptr;
};

// The targets built into this program that the processor runs, widest first.
const std::vector<PixelKernels>& PixelKernelsOfProcessor();

// The kernels the pipeline uses: those of ChosenVectorTarget().
const PixelKernels& ChosenPixelKernels();

}  // namespace platform::raster
