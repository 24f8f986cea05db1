// Stretching pictures to texture sizes: power-of-two rounding, the whole picture covering the
// whole target with no shift, exact copies at the same size, and no colour from transparent
// pixels.
#include "d3dx9/resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/d3dx9/seam_picture.h"

namespace {

using pokutan_test::ToPicture;

using platform::d3dx9::Filter;
using platform::d3dx9::Image;
using platform::d3dx9::NextPowerOfTwo;
using platform::d3dx9::PackArgb;
using platform::d3dx9::Resample;

template <typename PixelOf>
Image Picture(int width, int height, PixelOf pixelOf) {
    Image picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels.push_back(pixelOf(x, y));
        }
    }
    return picture;
}

Image Mirrored(const Image& picture) {
    return Picture(picture.width, picture.height,
                   [&](int x, int y) { return picture.At(picture.width - 1 - x, y); });
}

// Where the centre of target pixel i falls in the source, clamped to the outer pixel centres.
double SourcePosition(int i, int sourceSize, int targetSize) {
    const double position = (i + 0.5) * sourceSize / targetSize - 0.5;
    return std::clamp(position, 0.0, sourceSize - 1.0);
}

TEST(NextPowerOfTwo, RoundsUpAndKeepsExactPowers) {
    EXPECT_EQ(NextPowerOfTwo(0), 1);
    EXPECT_EQ(NextPowerOfTwo(1), 1);
    EXPECT_EQ(NextPowerOfTwo(2), 2);
    EXPECT_EQ(NextPowerOfTwo(3), 4);
    EXPECT_EQ(NextPowerOfTwo(256), 256);
    EXPECT_EQ(NextPowerOfTwo(257), 512);
    EXPECT_EQ(NextPowerOfTwo(480), 512);
    EXPECT_EQ(NextPowerOfTwo(640), 1024);
    EXPECT_EQ(NextPowerOfTwo(16384), 16384);
}

TEST(Resample, ScreenSizedPictureIsStretchedOverTheWholeTexture) {
    // Red grows to the right and green downwards, so every target pixel shows where it samples.
    const Image source = Picture(640, 480, [](int x, int y) {
        return PackArgb(255, (x * 255 + 319) / 639, (y * 255 + 239) / 479, 77);
    });
    const std::optional<Image> texture =
        Resample(source, NextPowerOfTwo(640), NextPowerOfTwo(480), Filter::kTriangle);
    ASSERT_TRUE(texture);
    ASSERT_EQ(texture->width, 1024);
    ASSERT_EQ(texture->height, 512);

    EXPECT_EQ(texture->At(0, 0), source.At(0, 0));
    EXPECT_EQ(texture->At(1023, 0), source.At(639, 0));
    EXPECT_EQ(texture->At(0, 511), source.At(0, 479));
    EXPECT_EQ(texture->At(1023, 511), source.At(639, 479));

    const Image expected = Picture(1024, 512, [](int x, int y) {
        const double red = SourcePosition(x, 640, 1024) * 255 / 639;
        const double green = SourcePosition(y, 480, 512) * 255 / 479;
        return PackArgb(255, static_cast<uint32_t>(std::lround(red)),
                        static_cast<uint32_t>(std::lround(green)), 77);
    });
    EXPECT_TRUE(pokutan_test::PicturesMatch(ToPicture(*texture), ToPicture(expected),
                                            "stretch_640x480", 1));
}

TEST(Resample, QuadrantsLandInTheMatchingQuarters) {
    const uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    const Image source = Picture(
        640, 480, [&](int x, int y) { return colours[(x >= 320 ? 1 : 0) + (y >= 240 ? 2 : 0)]; });
    const std::optional<Image> texture = Resample(source, 1024, 512, Filter::kTriangle);
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->At(255, 127), colours[0]);
    EXPECT_EQ(texture->At(768, 127), colours[1]);
    EXPECT_EQ(texture->At(255, 384), colours[2]);
    EXPECT_EQ(texture->At(768, 384), colours[3]);
    EXPECT_EQ(texture->At(510, 254), colours[0]);  // just inside the top-left quarter
    EXPECT_EQ(texture->At(513, 257), colours[3]);  // just inside the bottom-right quarter
    // At the seam the two halves blend.
    const uint32_t seam = texture->At(511, 100);
    EXPECT_GT((seam >> 16) & 0xFF, 0u);
    EXPECT_GT((seam >> 8) & 0xFF, 0u);
}

TEST(Resample, ExactSizeIsAnExactCopy) {
    const Image source = Picture(
        256, 256, [](int x, int y) { return PackArgb((x * 7 + y) & 0xFF, x, y, (x ^ y) & 0xFF); });
    const std::optional<Image> same = Resample(source, 256, 256, Filter::kTriangle);
    ASSERT_TRUE(same);
    EXPECT_TRUE(pokutan_test::PicturesMatch(ToPicture(*same), ToPicture(source), "exact_256"));
}

TEST(Resample, SymmetricPicturesStaySymmetricSoNothingShifts) {
    const Image source = Picture(5, 3, [](int x, int y) {
        const int fromCentre = std::abs(x - 2);
        return PackArgb(255, 60 * fromCentre, 200 - 50 * fromCentre, 40 * y);
    });
    for (const auto& [width, height] : {std::pair{8, 4}, {16, 3}, {2, 2}, {3, 1}, {64, 32}}) {
        for (Filter filter : {Filter::kTriangle, Filter::kBox}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            const std::optional<Image> result = Resample(source, width, height, filter);
            ASSERT_TRUE(result);
            EXPECT_TRUE(pokutan_test::PicturesMatch(ToPicture(*result),
                                                    ToPicture(Mirrored(*result)), "symmetry"));
        }
    }
}

TEST(Resample, UniformPicturesStayUniformAtAnySize) {
    const Image source = Picture(7, 5, [](int, int) { return 0xC8336699u; });
    for (const auto& [width, height] : {std::pair{16, 8}, {3, 2}, {1, 1}, {13, 29}}) {
        for (Filter filter : {Filter::kTriangle, Filter::kBox}) {
            const std::optional<Image> result = Resample(source, width, height, filter);
            ASSERT_TRUE(result);
            EXPECT_TRUE(std::all_of(result->pixels.begin(), result->pixels.end(),
                                    [](uint32_t p) { return p == 0xC8336699u; }))
                << width << " x " << height;
        }
    }
}

TEST(Resample, TransparentPixelsLendNoColour) {
    // Opaque red beside transparent black: the edge fades in alpha, never towards black.
    const Image source = Picture(4, 2, [](int x, int) { return x < 2 ? 0xFFFF0000u : 0u; });
    for (const auto& [width, height] : {std::pair{16, 8}, {2, 1}, {3, 3}}) {
        const std::optional<Image> result = Resample(source, width, height, Filter::kTriangle);
        ASSERT_TRUE(result);
        bool sawPartialAlpha = false;
        for (uint32_t pixel : result->pixels) {
            const uint32_t alpha = pixel >> 24;
            sawPartialAlpha = sawPartialAlpha || (alpha > 0 && alpha < 255);
            if (alpha > 0) {
                EXPECT_EQ(pixel & 0xFFFFFF, 0xFF0000u) << std::hex << pixel;
            }
        }
        EXPECT_TRUE(sawPartialAlpha) << width << " x " << height;
    }
}

TEST(Resample, WhollyTransparentAreasKeepTheirColour) {
    const Image source = Picture(3, 3, [](int, int) { return 0x00FFFFFFu; });
    const std::optional<Image> result = Resample(source, 8, 4, Filter::kTriangle);
    ASSERT_TRUE(result);
    EXPECT_TRUE(std::all_of(result->pixels.begin(), result->pixels.end(),
                            [](uint32_t p) { return p == 0x00FFFFFFu; }));
}

TEST(Resample, RefusesImpossibleRequests) {
    const Image source = Picture(4, 4, [](int, int) { return 0xFFFFFFFFu; });
    EXPECT_FALSE(Resample(source, 0, 4, Filter::kTriangle));
    EXPECT_FALSE(Resample(source, 4, -2, Filter::kTriangle));
    EXPECT_FALSE(Resample(source, 16385, 4, Filter::kTriangle));
    EXPECT_FALSE(Resample(source, 16384, 16384, Filter::kTriangle));
    Image malformed = source;
    malformed.pixels.pop_back();
    EXPECT_FALSE(Resample(malformed, 8, 8, Filter::kTriangle));
    EXPECT_FALSE(Resample(Image{}, 8, 8, Filter::kBox));
}

}  // namespace
