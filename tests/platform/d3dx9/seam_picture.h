// The loading steps' pictures as the pictures the tests compare and save: both hold ARGB values
// row by row, so only the type changes.
#pragma once

#include "d3dx9/image.h"
#include "support/PictureCompare.h"
#include "test_seam.h"

namespace pokutan_test {

inline platform::testing::Image ToPicture(const platform::d3dx9::Image& image) {
    platform::testing::Image picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.pixels = image.pixels;
    return picture;
}

}  // namespace pokutan_test
