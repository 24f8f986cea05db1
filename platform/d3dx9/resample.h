// Stretching a picture to another size, as D3DX does when a texture's size differs from the
// file's: the whole picture covers the whole target, pixel centres aligned (the centre of target
// pixel i samples source position (i + 0.5) * source / target - 0.5), edges clamped. Colours are
// filtered weighted by alpha so that transparent pixels lend no colour to their neighbours.
#pragma once

#include <optional>

#include "d3dx9/image.h"

namespace platform::d3dx9 {

enum class Filter {
    kTriangle,  // tent filter: bilinear when enlarging, widened to the scale when shrinking
    kBox,       // area average of the source pixels each target pixel covers (mip levels)
};

// The smallest power of two at or above value (at least 1); an exact power stays.
int NextPowerOfTwo(int value);

// The picture stretched to width x height. Same size gives an exact copy. Empty when a size is
// not positive, exceeds FitsImageLimits, the source is malformed or memory runs out.
std::optional<Image> Resample(const Image& source, int width, int height, Filter filter);

}  // namespace platform::d3dx9
