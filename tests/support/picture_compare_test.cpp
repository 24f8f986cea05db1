// The tests' picture comparison: where the tolerance ends, counting differing pixels, the three
// pictures a failure leaves in failed_pictures/, and writing references on request.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/PictureCompare.h"

namespace {

namespace fs = std::filesystem;
using platform::testing::Image;
using pokutan_test::LoadPicturePng;
using pokutan_test::MatchesReference;
using pokutan_test::PicturesMatch;
using pokutan_test::SavePicturePng;

Image Filled(int width, int height, uint32_t colour) {
    Image picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<size_t>(width) * height, colour);
    return picture;
}

void Set(Image& picture, int x, int y, uint32_t colour) {
    picture.pixels[static_cast<size_t>(y) * picture.width + x] = colour;
}

fs::path FailedPicture(const std::string& name, const std::string& kind) {
    return fs::path(pokutan_test::kFailedPicturesFolder) / (name + "_" + kind + ".png");
}

void RemoveFailedPictures(const std::string& name) {
    for (const char* kind : {"actual", "expected", "diff"}) {
        std::error_code ignored;
        fs::remove(FailedPicture(name, kind), ignored);
    }
}

TEST(PicturesMatch, ADifferenceOfExactlyTheToleranceInAnyChannelPasses) {
    const Image expected = Filled(4, 4, 0x80808080u);
    for (uint32_t channel : {0x01000000u, 0x00010000u, 0x00000100u, 0x00000001u}) {
        SCOPED_TRACE(channel);
        Image brighter = expected;
        Set(brighter, 1, 2, 0x80808080u + 3 * channel);
        Image darker = expected;
        Set(darker, 1, 2, 0x80808080u - 3 * channel);
        EXPECT_TRUE(PicturesMatch(brighter, expected, "edge_brighter", 3));
        EXPECT_TRUE(PicturesMatch(darker, expected, "edge_darker", 3));
        Set(brighter, 1, 2, 0x80808080u + 4 * channel);
        EXPECT_FALSE(PicturesMatch(brighter, expected, "edge_beyond", 3));
    }
    RemoveFailedPictures("edge_beyond");
}

TEST(PicturesMatch, CountsDifferingPixelsAgainstTheNumberAllowed) {
    const Image expected = Filled(5, 3, 0xFF000000u);
    Image actual = expected;
    Set(actual, 4, 0, 0xFFFFFFFFu);
    Set(actual, 0, 2, 0xFFFFFFFFu);
    Set(actual, 2, 1, 0xFF000010u);  // within the tolerance below: not counted
    Set(actual, 3, 2, 0xFFFFFFFFu);
    EXPECT_TRUE(PicturesMatch(actual, expected, "count_allowed", 16, 3));
    const testing::AssertionResult tooMany = PicturesMatch(actual, expected, "count_over", 16, 2);
    EXPECT_FALSE(tooMany);
    const std::string message = tooMany.message();
    EXPECT_NE(message.find("3 of 5 x 3 pixels"), std::string::npos) << message;
    EXPECT_NE(message.find("(4, 0)"), std::string::npos) << "the first in reading order";
    EXPECT_NE(message.find("0xFFFFFFFF"), std::string::npos) << message;
    RemoveFailedPictures("count_over");
}

TEST(PicturesMatch, PicturesOfDifferentSizesNeverMatch) {
    const testing::AssertionResult result =
        PicturesMatch(Filled(4, 3, 0), Filled(3, 4, 0), "size_differs", 255, 1000);
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("size 4 x 3, expected 3 x 4"), std::string::npos)
        << result.message();
    Image diff;
    ASSERT_TRUE(LoadPicturePng(FailedPicture("size_differs", "diff").string(), &diff));
    EXPECT_EQ(diff.width, 4);
    EXPECT_EQ(diff.height, 4);
    EXPECT_EQ(diff.At(3, 0), 0xFFFF00FFu) << "only the actual picture has this column";
    EXPECT_EQ(diff.At(0, 3), 0xFFFF00FFu) << "only the expected picture has this row";
    RemoveFailedPictures("size_differs");
}

TEST(PicturesMatch, AFailureWritesActualExpectedAndDifferencePictures) {
    const std::string name = "writes_three";
    RemoveFailedPictures(name);
    Image expected = Filled(6, 4, 0xFF8040C0u);
    Set(expected, 0, 0, 0x40102030u);
    Image actual = expected;
    Set(actual, 2, 1, 0xFF00FF00u);
    const testing::AssertionResult result = PicturesMatch(actual, expected, name);
    ASSERT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find(pokutan_test::kFailedPicturesFolder),
              std::string::npos)
        << "the message says where the pictures went";

    Image readActual, readExpected, diff;
    ASSERT_TRUE(LoadPicturePng(FailedPicture(name, "actual").string(), &readActual));
    ASSERT_TRUE(LoadPicturePng(FailedPicture(name, "expected").string(), &readExpected));
    ASSERT_TRUE(LoadPicturePng(FailedPicture(name, "diff").string(), &diff));
    EXPECT_EQ(readActual.pixels, actual.pixels);
    EXPECT_EQ(readExpected.pixels, expected.pixels);
    EXPECT_EQ(diff.At(2, 1), 0xFFFF0000u) << "the differing pixel is red";
    EXPECT_EQ(diff.At(5, 3), 0xFF201030u) << "the others are the expected one, dimmed";
    RemoveFailedPictures(name);
}

TEST(PicturesMatch, APassingComparisonWritesNothing) {
    const std::string name = "writes_nothing";
    RemoveFailedPictures(name);
    EXPECT_TRUE(PicturesMatch(Filled(2, 2, 0xFF123456u), Filled(2, 2, 0xFF123456u), name));
    EXPECT_FALSE(fs::exists(FailedPicture(name, "actual")));
    EXPECT_FALSE(fs::exists(FailedPicture(name, "diff")));
}

TEST(PicturePng, KeepsEveryChannelAndRefusesWhatIsNoPicture) {
    const fs::path folder =
        fs::temp_directory_path() / ("pokutan_picture_png_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    Image picture = Filled(3, 2, 0x80FF4020u);
    Set(picture, 2, 1, 0x00000000u);
    Set(picture, 1, 0, 0xFF0000FFu);
    const std::string path = (folder / "roundtrip.png").string();
    ASSERT_TRUE(SavePicturePng(picture, path));
    Image read;
    ASSERT_TRUE(LoadPicturePng(path, &read));
    EXPECT_EQ(read.width, 3);
    EXPECT_EQ(read.height, 2);
    EXPECT_EQ(read.pixels, picture.pixels);

    EXPECT_FALSE(SavePicturePng(Image{}, (folder / "empty.png").string()));
    EXPECT_FALSE(LoadPicturePng((folder / "missing.png").string(), &read));
    EXPECT_TRUE(read.pixels.empty());
    fs::remove_all(folder);
}

class ReferencePicture : public testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("pokutan_reference_" + std::to_string(::getpid()));
        reference = (folder / "sub" / "reference.png").string();
        unsetenv("POKUTAN_UPDATE_REFERENCES");
    }
    void TearDown() override {
        unsetenv("POKUTAN_UPDATE_REFERENCES");
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        RemoveFailedPictures("reference_missing");
        RemoveFailedPictures("reference_changed");
    }

    fs::path folder;
    std::string reference;
};

TEST_F(ReferencePicture, AMissingReferenceFailsAndLeavesTheActualPicture) {
    const testing::AssertionResult result =
        MatchesReference(Filled(2, 2, 0xFF00FF00u), reference, "reference_missing");
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("POKUTAN_UPDATE_REFERENCES=1"), std::string::npos);
    EXPECT_TRUE(fs::exists(FailedPicture("reference_missing", "actual")));
    EXPECT_FALSE(fs::exists(reference)) << "only the update mode writes references";
}

TEST_F(ReferencePicture, UpdateModeRewritesTheReferenceWhichLaterRunsCompareWith) {
    Image first = Filled(4, 2, 0xFF102030u);
    setenv("POKUTAN_UPDATE_REFERENCES", "1", 1);
    EXPECT_TRUE(MatchesReference(first, reference, "reference_written"));
    Image changed = first;
    Set(changed, 3, 1, 0xFFFFFFFFu);
    EXPECT_TRUE(MatchesReference(changed, reference, "reference_rewritten"))
        << "an existing reference is replaced";

    unsetenv("POKUTAN_UPDATE_REFERENCES");
    Image stored;
    ASSERT_TRUE(LoadPicturePng(reference, &stored));
    EXPECT_EQ(stored.pixels, changed.pixels);
    EXPECT_TRUE(MatchesReference(changed, reference, "reference_same"));
    EXPECT_FALSE(MatchesReference(first, reference, "reference_changed"));
    EXPECT_TRUE(MatchesReference(first, reference, "reference_tolerated", 0, 1));

    setenv("POKUTAN_UPDATE_REFERENCES", "0", 1);
    EXPECT_FALSE(MatchesReference(first, reference, "reference_changed"))
        << "only the value 1 turns the update mode on";
}

}  // namespace
