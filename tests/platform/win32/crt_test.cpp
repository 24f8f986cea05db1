// fopen_s: a stream on success, an errno value and a null stream on failure.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "crt_secure.h"

namespace {

std::filesystem::path TempFile(const char* suffix) {
    return std::filesystem::temp_directory_path() /
           ("crt_test_" + std::to_string(::getpid()) + "_" + suffix);
}

TEST(FopenS, OpensAnExistingFileForReading) {
    std::filesystem::path path = TempFile("present");
    std::ofstream(path) << "abc";
    FILE* file = reinterpret_cast<FILE*>(1);
    ASSERT_EQ(fopen_s(&file, path.c_str(), "rb"), 0);
    ASSERT_NE(file, nullptr);
    char text[4] = {};
    EXPECT_EQ(std::fread(text, 1, 3, file), 3u);
    EXPECT_STREQ(text, "abc");
    std::fclose(file);
    std::filesystem::remove(path);
}

TEST(FopenS, MissingFileGivesErrnoAndNull) {
    FILE* file = reinterpret_cast<FILE*>(1);
    EXPECT_EQ(fopen_s(&file, TempFile("absent").c_str(), "rb"), ENOENT);
    EXPECT_EQ(file, nullptr);
}

TEST(FopenS, InvalidArgumentsGiveEinval) {
    FILE* file = reinterpret_cast<FILE*>(1);
    EXPECT_EQ(fopen_s(nullptr, "x", "rb"), EINVAL);
    EXPECT_EQ(fopen_s(&file, nullptr, "rb"), EINVAL);
    EXPECT_EQ(file, nullptr);
    file = reinterpret_cast<FILE*>(1);
    EXPECT_EQ(fopen_s(&file, "x", nullptr), EINVAL);
    EXPECT_EQ(file, nullptr);
}

}  // namespace
