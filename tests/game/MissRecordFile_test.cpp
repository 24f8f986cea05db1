// The miss record file: what reads as a record, and writes that are exact and never partial.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/MissRecordFile.h"

namespace {

namespace fs = std::filesystem;

class MissRecordFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() /
            ("pokutan_record_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = (folder / "Miss.bin").string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }

    void Store(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    std::string Stored() const {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    fs::path folder;
    std::string path;
};

TEST_F(MissRecordFileTest, ReadsTheNumberAfterBlanksAndIgnoresWhatFollows) {
    Store("5\r\n");
    EXPECT_EQ(ReadMissRecord(path.c_str()), 5);
    Store(" 12abc");
    EXPECT_EQ(ReadMissRecord(path.c_str()), 12);
    Store("7\n");
    EXPECT_EQ(ReadMissRecord(path.c_str()), 7);
    Store("0\r\n");
    EXPECT_EQ(ReadMissRecord(path.c_str()), 0);
}

TEST_F(MissRecordFileTest, MissingOrUnusableContentCountsAsNoRecord) {
    EXPECT_EQ(ReadMissRecord(path.c_str()), NO_MISS_RECORD);
    for (const char* content : {"", "abc", "\r\n", "-3\r\n", "99999999999999999999\r\n"}) {
        Store(content);
        EXPECT_EQ(ReadMissRecord(path.c_str()), NO_MISS_RECORD) << '"' << content << '"';
    }
}

TEST_F(MissRecordFileTest, WritesTheDecimalNumberAndACrLfExactly) {
    ASSERT_TRUE(WriteMissRecord(path.c_str(), 7));
    EXPECT_EQ(Stored(), "7\r\n");
    ASSERT_TRUE(WriteMissRecord(path.c_str(), 12));
    EXPECT_EQ(Stored(), "12\r\n");
    EXPECT_EQ(ReadMissRecord(path.c_str()), 12);
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(MissRecordFileTest, MissingFolderChangesNothing) {
    std::string missing = (folder / "absent" / "Miss.bin").string();
    EXPECT_FALSE(WriteMissRecord(missing.c_str(), 3));
    EXPECT_FALSE(fs::exists(folder / "absent"));
}

TEST_F(MissRecordFileTest, ReadOnlyFileKeepsItsContent) {
    Store("5\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(WriteMissRecord(path.c_str(), 4));
    EXPECT_EQ(Stored(), "5\r\n");
}

TEST_F(MissRecordFileTest, FailedReplaceLeavesTheOldFileAndNoTemporary) {
    // A folder where the file should be: the rename fails, nothing is lost or left behind.
    fs::create_directories(path);
    EXPECT_FALSE(WriteMissRecord(path.c_str(), 4));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    fs::remove_all(path);
}

}  // namespace
