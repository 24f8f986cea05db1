// The program's icon: the atlas's standing marker on a clear ground, doubled pixel for pixel at
// 64 x 64, and a source text that registers both sizes as resource 101.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/image_atlas.h"
#include "tools/program_icon.h"

namespace {

using assets::Picture;

TEST(ProgramIcon, IsTheAtlasMarkerWithMagentaMadeClear) {
    Picture atlas = assets::ImageAtlas();
    Picture icon = assets::ProgramIcon(32);
    ASSERT_EQ(icon.width, 32);
    ASSERT_EQ(icon.height, 32);
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            uint32_t cell = atlas.At(x, assets::kAtlasCell + y);  // row 1, frame 0
            uint32_t expected = cell == assets::kTransparent ? 0x00000000u : cell;
            ASSERT_EQ(icon.At(x, y), expected) << x << "," << y;
            opaque += icon.At(x, y) >> 24 == 0xFF;
        }
    }
    EXPECT_EQ(icon.At(0, 0), 0x00000000u);
    EXPECT_EQ(icon.At(16, 24) >> 24, 0xFFu);  // the body fills the middle
    EXPECT_GT(opaque, 300);
}

TEST(ProgramIcon, GrowsByWholePixels) {
    Picture small = assets::ProgramIcon(32);
    Picture large = assets::ProgramIcon(64);
    ASSERT_EQ(large.width, 64);
    ASSERT_EQ(large.height, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(large.At(x, y), small.At(x / 2, y / 2)) << x << "," << y;
        }
    }
}

TEST(ProgramIcon, SourceRegistersEveryPixelOfBothSizesTheSameEachTime) {
    std::string source = assets::ProgramIconSource();
    EXPECT_EQ(source, assets::ProgramIconSource());
    EXPECT_NE(source.find("RegisterIconResource(101, 32, 32, kIcon32)"), std::string::npos);
    EXPECT_NE(source.find("RegisterIconResource(101, 64, 64, kIcon64)"), std::string::npos);
    size_t values = 0;
    for (size_t at = source.find("0x"); at != std::string::npos; at = source.find("0x", at + 1)) {
        ++values;
    }
    EXPECT_EQ(values, 32u * 32 + 64 * 64);
    Picture icon = assets::ProgramIcon(32);
    char middle[16];
    std::snprintf(middle, sizeof middle, "0x%08X", static_cast<unsigned>(icon.At(16, 24)));
    EXPECT_NE(source.find(middle), std::string::npos);
}

}  // namespace
