// Decoding every image of the PngSuite against the pixel lists beside it, and refusing every
// deliberately corrupt one. The suite lives in the shared folder next to the repository.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "d3dx9/image_file.h"
#include "platform/d3dx9/json_pixels.h"
#include "platform/d3dx9/picture_compare.h"

namespace {

namespace fs = std::filesystem;
using platform::d3dx9::Image;
using platform::d3dx9::ImageFile;
using platform::d3dx9::PackArgb;
using platform::d3dx9::ReadPngFile;

const fs::path kSuite = fs::path(POKUTAN_SHARED_DIR) / "pngsuite";

// Suite file names, without extension, that are (corrupt) or are not (valid) marked with 'x'.
std::vector<std::string> SuiteNames(bool corrupt) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kSuite / "png", error)) {
        const std::string name = entry.path().stem().string();
        if (entry.path().extension() == ".png" && (name[0] == 'x') == corrupt) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The bit depth is the last two characters of a suite name ("basn0g16" -> 16).
int BitDepthOf(const std::string& name) {
    return std::stoi(name.substr(name.size() - 2));
}

// The reference picture: the 8-bit list where there is one, else the 16-bit list scaled.
bool ReferencePicture(const std::string& name, int width, int height, Image& picture) {
    std::optional<std::vector<uint32_t>> values;
    bool sixteenBit = false;
    if (fs::exists(kSuite / "json" / (name + "_to8.json"))) {
        values = pokutan_test::ReadIntegerArrayFile(kSuite / "json" / (name + "_to8.json"));
    } else {
        values = pokutan_test::ReadIntegerArrayFile(kSuite / "json" / (name + ".json"));
        sixteenBit = BitDepthOf(name) == 16;
    }
    if (!values || values->size() != static_cast<size_t>(width) * height * 4) {
        return false;
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(values->size() / 4);
    auto channel = [&](size_t i) {
        const uint32_t value = (*values)[i];
        return sixteenBit ? (value * 255 + 32767) / 65535 : value;
    };
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        picture.pixels[i] =
            PackArgb(channel(4 * i + 3), channel(4 * i), channel(4 * i + 1), channel(4 * i + 2));
        // 16-bit pixels come premultiplied out of libpng: no colour survives under alpha 0.
        if (BitDepthOf(name) == 16 && channel(4 * i + 3) == 0) {
            picture.pixels[i] = 0;
        }
    }
    return true;
}

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
    EXPECT_TRUE(pokutan_test::PicturesMatch(file.image, expected, tolerance, "pngsuite_" + name));

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
