// Mip chains: level sizes down to 1 x 1 and the 2 x 2 box averages of each level.
#include "d3dx9/mip_chain.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/d3dx9/seam_picture.h"

namespace {

using pokutan_test::ToPicture;

using platform::d3dx9::BuildMipChain;
using platform::d3dx9::FullMipLevelCount;
using platform::d3dx9::Image;
using platform::d3dx9::PackArgb;

Image Opaque(int width, int height, uint32_t seed) {
    Image picture;
    picture.width = width;
    picture.height = height;
    for (int i = 0; i < width * height; ++i) {
        seed = seed * 1103515245u + 12345u;
        picture.pixels.push_back(0xFF000000u | (seed >> 8));
    }
    return picture;
}

// The rounded average of opaque pixels, channel by channel, in integers.
uint32_t AverageOf(const std::vector<uint32_t>& pixels) {
    uint32_t result = 0xFF000000u;
    for (int shift : {16, 8, 0}) {
        uint32_t sum = 0;
        for (uint32_t pixel : pixels) {
            sum += (pixel >> shift) & 0xFF;
        }
        const uint32_t count = static_cast<uint32_t>(pixels.size());
        result |= ((sum + count / 2) / count) << shift;
    }
    return result;
}

std::vector<std::pair<int, int>> SizesOf(const std::vector<Image>& chain) {
    std::vector<std::pair<int, int>> sizes;
    for (const Image& level : chain) {
        sizes.emplace_back(level.width, level.height);
    }
    return sizes;
}

TEST(MipChain, LevelCountsReachOneByOne) {
    EXPECT_EQ(FullMipLevelCount(1, 1), 1);
    EXPECT_EQ(FullMipLevelCount(2, 1), 2);
    EXPECT_EQ(FullMipLevelCount(256, 256), 9);
    EXPECT_EQ(FullMipLevelCount(1024, 512), 11);
    EXPECT_EQ(FullMipLevelCount(640, 480), 10);
}

TEST(MipChain, EachLevelHalvesDownToOneByOne) {
    const std::vector<Image> chain = BuildMipChain(Opaque(1024, 512, 1));
    const std::vector<std::pair<int, int>> expected = {
        {1024, 512}, {512, 256}, {256, 128}, {128, 64}, {64, 32}, {32, 16},
        {16, 8},     {8, 4},     {4, 2},     {2, 1},    {1, 1}};
    EXPECT_EQ(SizesOf(chain), expected);

    const std::vector<std::pair<int, int>> narrow = {{8, 2}, {4, 1}, {2, 1}, {1, 1}};
    EXPECT_EQ(SizesOf(BuildMipChain(Opaque(8, 2, 2))), narrow);
    EXPECT_EQ(SizesOf(BuildMipChain(Opaque(5, 3, 3))),
              (std::vector<std::pair<int, int>>{{5, 3}, {2, 1}, {1, 1}}));
}

TEST(MipChain, LevelsAreTwoByTwoBoxAverages) {
    const Image base = Opaque(8, 8, 4);
    const std::vector<Image> chain = BuildMipChain(base);
    ASSERT_EQ(chain.size(), 4u);
    EXPECT_EQ(chain[0].pixels, base.pixels);
    for (size_t level = 1; level < chain.size(); ++level) {
        const Image& above = chain[level - 1];
        Image expected;
        expected.width = above.width / 2;
        expected.height = above.height / 2;
        for (int y = 0; y < expected.height; ++y) {
            for (int x = 0; x < expected.width; ++x) {
                expected.pixels.push_back(
                    AverageOf({above.At(2 * x, 2 * y), above.At(2 * x + 1, 2 * y),
                               above.At(2 * x, 2 * y + 1), above.At(2 * x + 1, 2 * y + 1)}));
            }
        }
        EXPECT_TRUE(pokutan_test::PicturesMatch(ToPicture(chain[level]), ToPicture(expected),
                                                "mip_level_" + std::to_string(level)));
    }
}

TEST(MipChain, OneSidedLevelsAveragePairs) {
    const Image base = Opaque(4, 1, 5);
    const std::vector<Image> chain = BuildMipChain(base);
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[1].At(0, 0), AverageOf({base.At(0, 0), base.At(1, 0)}));
    EXPECT_EQ(chain[1].At(1, 0), AverageOf({base.At(2, 0), base.At(3, 0)}));
    EXPECT_EQ(chain[2].At(0, 0), AverageOf({chain[1].At(0, 0), chain[1].At(1, 0)}));
}

TEST(MipChain, TransparentTexelsThinTheAlphaNotTheColour) {
    Image base;
    base.width = 2;
    base.height = 2;
    base.pixels = {0xFFFF0000u, 0u, 0u, 0u};  // one opaque red texel among keyed-out ones
    const std::vector<Image> chain = BuildMipChain(base);
    ASSERT_EQ(chain.size(), 2u);
    EXPECT_EQ(chain[1].At(0, 0), PackArgb(64, 255, 0, 0));
}

TEST(MipChain, LevelCountCanBeLimited) {
    EXPECT_EQ(BuildMipChain(Opaque(64, 64, 6), 3).size(), 3u);
    EXPECT_EQ(BuildMipChain(Opaque(64, 64, 6), 1).size(), 1u);
    EXPECT_EQ(BuildMipChain(Opaque(64, 64, 6), 0).size(), 7u);
    EXPECT_EQ(BuildMipChain(Opaque(64, 64, 6), 50).size(), 7u);
}

TEST(MipChain, MalformedBaseGivesNoChain) {
    EXPECT_TRUE(BuildMipChain(Image{}).empty());
    Image wrongCount = Opaque(4, 4, 7);
    wrongCount.pixels.resize(10);
    EXPECT_TRUE(BuildMipChain(wrongCount).empty());
}

}  // namespace
