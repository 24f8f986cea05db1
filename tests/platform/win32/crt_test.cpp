// fopen_s: a stream on success, an errno value and a null stream on failure. vsnprintf_s:
// formatted output cut to the buffer with _TRUNCATE, always terminated.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
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

int FormatInto(char* buffer, size_t size, size_t count, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int result = vsnprintf_s(buffer, size, count, format, arguments);
    va_end(arguments);
    return result;
}

TEST(VsnprintfS, TruncateCutsToTheBufferAndTerminates) {
    char buffer[8];
    EXPECT_EQ(FormatInto(buffer, sizeof buffer, _TRUNCATE, "%03d", 7), 3);
    EXPECT_STREQ(buffer, "007");
    EXPECT_EQ(FormatInto(buffer, sizeof buffer, _TRUNCATE, "%s", "abcdefghij"), -1);
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_EQ(FormatInto(buffer, sizeof buffer, _TRUNCATE, "%s", "abcdefg"), 7) << "exactly fits";
}

TEST(VsnprintfS, CountLimitsTheOutputAndOverflowingCountsFail) {
    char buffer[8];
    EXPECT_EQ(FormatInto(buffer, sizeof buffer, 3, "%s", "abcdef"), -1);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(FormatInto(buffer, sizeof buffer, 3, "%s", "ab"), 2);
    EXPECT_STREQ(buffer, "ab");
    errno = 0;
    EXPECT_EQ(FormatInto(buffer, sizeof buffer, 20, "%s", "abcdefghij"), -1);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(FormatInto(nullptr, 8, _TRUNCATE, "x"), -1);
    EXPECT_EQ(FormatInto(buffer, sizeof buffer, _TRUNCATE, nullptr), -1);
    EXPECT_STREQ(buffer, "");
}

}  // namespace
