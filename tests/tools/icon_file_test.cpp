// The .ico writer: the directory Windows reads, bottom-up colour rows and the transparency mask.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tools/icon_file.h"
#include "tools/program_icon.h"

namespace {

uint32_t Read16(const std::string& bytes, size_t at) {
    return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}

uint32_t Read32(const std::string& bytes, size_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

TEST(IconFile, DirectoryNamesEachPictureWithItsSizeAndPlace) {
    assets::Picture small(3, 2, 0xFF102030);
    assets::Picture large(40, 40, 0x00000000);
    std::string file = assets::IconFile({small, large});
    ASSERT_GE(file.size(), 38u);
    EXPECT_EQ(Read16(file, 0), 0u);
    EXPECT_EQ(Read16(file, 2), 1u);  // icon
    EXPECT_EQ(Read16(file, 4), 2u);
    // 3 x 2: 40 header bytes, 24 colour bytes, 2 mask rows of 4 bytes.
    EXPECT_EQ(static_cast<uint8_t>(file[6]), 3u);
    EXPECT_EQ(static_cast<uint8_t>(file[7]), 2u);
    EXPECT_EQ(Read16(file, 12), 32u);
    EXPECT_EQ(Read32(file, 14), 40u + 24u + 8u);
    EXPECT_EQ(Read32(file, 18), 38u);
    // 40 x 40: mask rows of 40 bits padded to 8 bytes.
    EXPECT_EQ(static_cast<uint8_t>(file[22]), 40u);
    EXPECT_EQ(Read32(file, 30), 40u + 40u * 40u * 4u + 40u * 8u);
    EXPECT_EQ(Read32(file, 34), 38u + 72u);
    EXPECT_EQ(file.size(), 38u + 72u + Read32(file, 30));
}

TEST(IconFile, BitmapRowsRunBottomUpWithTheMaskSetWhereClear) {
    assets::Picture picture(2, 2, 0x00000000);
    picture.Set(0, 0, 0xFF112233);  // top left, opaque
    std::string file = assets::IconFile({picture});
    const size_t image = Read32(file, 18);
    EXPECT_EQ(Read32(file, image), 40u);
    EXPECT_EQ(Read32(file, image + 4), 2u);
    EXPECT_EQ(Read32(file, image + 8), 4u);  // colour and mask halves
    EXPECT_EQ(Read16(file, image + 14), 32u);
    const size_t colours = image + 40;
    EXPECT_EQ(Read32(file, colours), 0u);               // bottom row first
    EXPECT_EQ(Read32(file, colours + 8), 0xFF112233u);  // the top row last
    const size_t mask = colours + 16;
    EXPECT_EQ(static_cast<uint8_t>(file[mask]), 0xC0u);      // bottom row: both clear
    EXPECT_EQ(static_cast<uint8_t>(file[mask + 4]), 0x40u);  // top row: only the right one
}

TEST(IconFile, ProgramIconFileHoldsEveryIconSizeWithTheSamePixels) {
    std::string file = assets::ProgramIconFile();
    ASSERT_EQ(Read16(file, 4), 2u);
    assets::Picture icon = assets::ProgramIcon(64);
    const size_t image = Read32(file, 6 + 16 + 12);
    ASSERT_EQ(Read32(file, image + 4), 64u);
    const size_t topRow = image + 40 + 63u * 64u * 4u;
    for (int x = 0; x < 64; ++x) {
        EXPECT_EQ(Read32(file, topRow + x * 4u), icon.At(x, 0)) << x;
    }
    EXPECT_EQ(Read32(file, image + 40 + 32u * 64u * 4u + 32u * 4u), icon.At(32, 31));
}

}  // namespace
