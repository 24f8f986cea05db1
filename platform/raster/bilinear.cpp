// The weight tables of the SSE2 bilinear path.
#include "raster/bilinear.h"

namespace platform::raster {

#if defined(__SSE2__)

namespace {

BilinearWeights MakeWeights() {
    BilinearWeights weights;
    for (int w = 0; w <= 256; ++w) {
        const short right = static_cast<short>(w), left = static_cast<short>(256 - w);
        weights.rows[w] = _mm_set1_epi16(right);
        weights.columns[w] = _mm_set_epi16(right, right, right, right, left, left, left, left);
    }
    return weights;
}

}  // namespace

const BilinearWeights& Weights() {
    static const BilinearWeights weights = MakeWeights();
    return weights;
}

#endif

}  // namespace platform::raster
