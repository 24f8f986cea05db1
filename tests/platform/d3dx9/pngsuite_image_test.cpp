// Decoding every image of the PngSuite against the pixel lists beside it, and refusing every
// deliberately corrupt one. The suite lives in the shared folder next to the repository.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "d3dx9/image_file.h"
#include "platform/d3dx9/pngsuite_reference.h"
#include "platform/d3dx9/seam_picture.h"

namespace {

using pokutan_test::ToPicture;

namespace fs = std::filesystem;
using namespace pokutan_test::pngsuite;
using platform::d3dx9::Image;
using platform::d3dx9::ImageFile;
using platform::d3dx9::PackArgb;
using platform::d3dx9::ReadPngFile;

std::string TestNameOf(const testing::TestParamInfo<std::string>& info) {
    return info.param;
}

class ValidSuiteImage : public testing::TestWithParam<std::string> {};

TEST_P(ValidSuiteImage, DecodesToTheListedPixels) {
    const std::string& name = GetParam();
    const ImageFile file = ReadPngFile((kSuite / "png" / (name + ".png")).string());
    ASSERT_TRUE(file.ok) << file.error;
    EXPECT_TRUE(file.error.empty());
    EXPECT_EQ(file.info.Width, static_cast<uint32_t>(file.image.width));
    EXPECT_EQ(file.info.Height, static_cast<uint32_t>(file.image.height));

    Image expected;
    ASSERT_TRUE(ReferencePicture(name, file.image.width, file.image.height, expected))
        << "no reference list of " << file.image.width << " x " << file.image.height << " pixels";
    // The lists narrow 16-bit channels by dropping the low byte; the loader rounds.
    const int tolerance = BitDepthOf(name) == 16 ? 1 : 0;
    EXPECT_TRUE(pokutan_test::PicturesMatch(ToPicture(file.image), ToPicture(expected),
                                            "pngsuite_" + name, tolerance));

    const bool anyTranslucent = std::any_of(expected.pixels.begin(), expected.pixels.end(),
                                            [](uint32_t p) { return p >> 24 != 0xFF; });
    if (anyTranslucent) {
        EXPECT_TRUE(file.hasAlpha);
        EXPECT_EQ(file.info.Format, platform::d3dx9::kFormatA8R8G8B8);
    }
}

INSTANTIATE_TEST_SUITE_P(PngSuite, ValidSuiteImage, testing::ValuesIn(SuiteNames(false)),
                         TestNameOf);

TEST(PngSuite, HasTheWholeSuite) {
    EXPECT_GE(SuiteNames(false).size(), 150u) << "looked in " << kSuite;
    EXPECT_GE(SuiteNames(true).size(), 10u) << "looked in " << kSuite;
}

TEST(PngSuite, EveryCorruptFileFailsWithAReason) {
    for (const std::string& name : SuiteNames(true)) {
        SCOPED_TRACE(name);
        const ImageFile file = ReadPngFile((kSuite / "png" / (name + ".png")).string());
        EXPECT_FALSE(file.ok);
        EXPECT_FALSE(file.error.empty());
        EXPECT_TRUE(file.image.pixels.empty());
    }
}

}  // namespace
