// The colour key: only pixels exactly equal to the key turn into transparent black.
#include "d3dx9/color_key.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::d3dx9::ApplyColorKey;
using platform::d3dx9::Image;

constexpr uint32_t kMagenta = 0xFFFF00FFu;

Image Row(std::vector<uint32_t> pixels) {
    Image picture;
    picture.width = static_cast<int>(pixels.size());
    picture.height = 1;
    picture.pixels = std::move(pixels);
    return picture;
}

TEST(ColorKey, OpaqueMagentaBecomesTransparentBlackAndNothingElseChanges) {
    const std::vector<uint32_t> others = {0xFFFFFFFFu, 0xFF000000u, 0xFFFF0000u, 0xFF0000FFu,
                                          0xFFFE00FFu,  // nearly magenta
                                          0xFFFF01FFu,  // nearly magenta
                                          0x80FF00FFu,  // translucent magenta is not the opaque key
                                          0x00FF00FFu,  // nor is fully transparent magenta
                                          0x00000000u};
    std::vector<uint32_t> pixels = others;
    pixels.insert(pixels.begin() + 2, kMagenta);
    pixels.push_back(kMagenta);
    Image picture = Row(pixels);

    EXPECT_EQ(ApplyColorKey(picture, kMagenta), 2u);
    std::vector<uint32_t> expected = others;
    expected.insert(expected.begin() + 2, 0u);
    expected.push_back(0u);
    EXPECT_EQ(picture.pixels, expected);
}

TEST(ColorKey, KeyZeroDisablesKeying) {
    Image picture = Row({kMagenta, 0u, 0xFF123456u});
    EXPECT_EQ(ApplyColorKey(picture, 0), 0u);
    EXPECT_EQ(picture.pixels, (std::vector<uint32_t>{kMagenta, 0u, 0xFF123456u}));
}

}  // namespace
