// The system font table: which files it takes (by their leading bytes, as GDI would find no
// font in anything else), how often a file counts, and removal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "test_seam.h"
#include "windows.h"

namespace {

class FontTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::testing::StartHeadless();
        folder = std::filesystem::temp_directory_path() /
                 ("pokutan_fonts_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path folder;
};

const std::string kTrueType("\x00\x01\x00\x00\x00\x0A\x00\x80", 8);

TEST_F(FontTableTest, EachKindOfFontFileIsTakenOnce) {
    EXPECT_EQ(AddFontResourceA(Write("a.ttf", kTrueType).c_str()), 1);
    EXPECT_EQ(AddFontResourceA(Write("b.ttf", "true\x00\x0A").c_str()), 1);
    EXPECT_EQ(AddFontResourceA(Write("c.otf", "OTTO\x00\x0A").c_str()), 1);
    std::string collection("ttcf\x00\x01\x00\x00\x00\x00\x00\x03", 12);
    EXPECT_EQ(AddFontResourceA(Write("d.ttc", collection).c_str()), 3) << "fonts in the collection";
    EXPECT_EQ(platform::testing::FontFileCount((folder / "d.ttc").string()), 1);
}

TEST_F(FontTableTest, MissingShortAndForeignFilesAreRefused) {
    EXPECT_EQ(AddFontResourceA((folder / "absent.ttf").string().c_str()), 0);
    EXPECT_EQ(AddFontResourceA(Write("short.ttf", "tr").c_str()), 0);
    EXPECT_EQ(AddFontResourceA(Write("image.ttf", "\x89PNG\r\n\x1a\n").c_str()), 0);
    EXPECT_EQ(AddFontResourceA(Write("empty.ttc", std::string("ttcf\0\1\0\0\0\0\0\0", 12)).c_str()),
              0)
        << "a collection of no fonts";
    EXPECT_EQ(AddFontResourceA(nullptr), 0);
    EXPECT_EQ(platform::testing::FontFileCount((folder / "image.ttf").string()), 0);
    EXPECT_FALSE(RemoveFontResourceA((folder / "image.ttf").string().c_str()));
}

TEST_F(FontTableTest, AddingTwiceNeedsTwoRemovals) {
    std::string path = Write("twice.ttf", kTrueType);
    ASSERT_EQ(AddFontResourceA(path.c_str()), 1);
    ASSERT_EQ(AddFontResourceA(path.c_str()), 1);
    EXPECT_EQ(platform::testing::FontFileCount(path), 2);
    EXPECT_TRUE(RemoveFontResourceA(path.c_str()));
    EXPECT_EQ(platform::testing::FontFileCount(path), 1);
    EXPECT_TRUE(RemoveFontResourceA(path.c_str()));
    EXPECT_EQ(platform::testing::FontFileCount(path), 0);
    EXPECT_FALSE(RemoveFontResourceA(path.c_str()));
}

}  // namespace
