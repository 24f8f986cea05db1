// The desktop entry's icons: the program's icon at every theme size, sharp where the size is a
// whole multiple of the marker and area-averaged where it is not, and the PNG files as written.
#include <gtest/gtest.h>

#include <string>

#include "GeneratedTree.h"
#include "support/PicturePng.h"
#include "tools/desktop_icons.h"
#include "tools/program_icon.h"

namespace {

using assets::Picture;
using tools_test::GeneratedTree;

int Alpha(uint32_t pixel) {
    return static_cast<int>(pixel >> 24);
}

int Channel(uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

TEST(DesktopIcon, WholeMultiplesAreTheProgramIconPixelForPixel) {
    for (int size : {32, 64, 128, 256}) {
        Picture icon = assets::DesktopIcon(size);
        Picture program = assets::ProgramIcon(size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        EXPECT_EQ(icon.pixels, program.pixels) << size;
    }
}

TEST(DesktopIcon, SixteenIsTheMeanOfEachTwoByTwoBlockWeightedByAlpha) {
    Picture marker = assets::ProgramIcon(32);
    Picture icon = assets::DesktopIcon(16);
    ASSERT_EQ(icon.width, 16);
    int partly = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            int alpha = 0;
            int green = 0;
            for (int i = 0; i < 4; ++i) {
                uint32_t pixel = marker.At(2 * x + i % 2, 2 * y + i / 2);
                alpha += Alpha(pixel);
                green += Channel(pixel, 8) * Alpha(pixel);
            }
            uint32_t pixel = icon.At(x, y);
            ASSERT_NEAR(Alpha(pixel), alpha / 4.0, 0.5) << x << "," << y;
            if (alpha > 0) {
                ASSERT_NEAR(Channel(pixel, 8), static_cast<double>(green) / alpha, 0.5);
            } else {
                ASSERT_EQ(pixel, 0x00000000u);
            }
            partly += Alpha(pixel) > 0 && Alpha(pixel) < 255;
        }
    }
    EXPECT_GT(partly, 0);  // the outline's blocks are partly covered
}

TEST(DesktopIcon, FortyEightKeepsTheMarkersCoverageAndItsOpaqueMiddle) {
    Picture marker = assets::ProgramIcon(32);
    Picture icon = assets::DesktopIcon(48);
    ASSERT_EQ(icon.width, 48);
    double markerCover = 0;
    for (uint32_t pixel : marker.pixels) {
        markerCover += Alpha(pixel) / 255.0;
    }
    double iconCover = 0;
    for (uint32_t pixel : icon.pixels) {
        iconCover += Alpha(pixel) / 255.0;
    }
    EXPECT_NEAR(iconCover, markerCover * 48 * 48 / (32 * 32), 48 * 48 * 0.002);
    EXPECT_EQ(icon.At(0, 0), 0x00000000u);
    EXPECT_EQ(icon.At(24, 36), marker.At(16, 24));  // inside the body, one colour all round
}

TEST(DesktopIcon, FilesInTheThemeLayoutHoldTheIconWithAlpha) {
    std::filesystem::path folder = GeneratedTree::Scratch("icons");
    std::string error;
    ASSERT_TRUE(assets::WriteDesktopIcons(folder.string(), error)) << error;
    for (int size : assets::kDesktopIconSizes) {
        std::string edge = std::to_string(size);
        std::filesystem::path file = folder / (edge + "x" + edge) / "apps" / "pokutan.png";
        platform::testing::Image read;
        ASSERT_TRUE(pokutan_test::LoadPicturePng(file.string(), &read)) << file;
        ASSERT_EQ(read.width, size);
        ASSERT_EQ(read.height, size);
        Picture icon = assets::DesktopIcon(size);
        for (size_t i = 0; i < icon.pixels.size(); ++i) {
            ASSERT_EQ(read.pixels[i], icon.pixels[i]) << file << " pixel " << i;
        }
    }
}

TEST(DesktopIcon, AFolderThatCannotBeMadeIsReported) {
    std::filesystem::path blocker = GeneratedTree::Scratch("blocked") / "file";
    std::ofstream(blocker) << "not a folder";
    std::string error;
    EXPECT_FALSE(assets::WriteDesktopIcons(blocker.string(), error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
}

}  // namespace
