// The layer's log: one line on stderr per call (OutputDebugStringA included), or the captured
// lines when the seam keeps them.
#include <gtest/gtest.h>

#include "test_seam.h"
#include "win32/log.h"
#include "windows.h"

namespace {

class LogTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::testing::StartHeadless(); }
    void TearDown() override { platform::testing::CaptureLogLines(true); }

    // What the calls in `write` put on stderr with the seam's capture off.
    template <typename Write>
    static std::string Stderr(Write write) {
        platform::testing::CaptureLogLines(false);
        ::testing::internal::CaptureStderr();
        write();
        return ::testing::internal::GetCapturedStderr();
    }
};

TEST_F(LogTest, EachCallIsOneLineOnStderr) {
    EXPECT_EQ(Stderr([] { platform::win32::WriteLogLine("Resource/Sound/Bump.wav: no data"); }),
              "Resource/Sound/Bump.wav: no data\n");
    EXPECT_EQ(Stderr([] { platform::win32::WriteLogLine("a: first\nsecond\r\n"); }),
              "a: first second\n");
    EXPECT_EQ(Stderr([] { platform::win32::WriteLogLine(""); }), "");
}

TEST_F(LogTest, OutputDebugStringIsTheSameLine) {
    EXPECT_EQ(Stderr([] {
                  OutputDebugStringA("x.png: CRC error\n");
                  OutputDebugStringA(nullptr);
                  OutputDebugStringA("y.wav: short");
              }),
              "x.png: CRC error\ny.wav: short\n");
}

TEST_F(LogTest, TheSeamCapturesLinesInsteadOfWritingThem) {
    EXPECT_EQ(Stderr([] {
                  platform::testing::CaptureLogLines(true);
                  OutputDebugStringA("kept: here");
              }),
              "");
    ASSERT_EQ(platform::testing::LogLines().size(), 1u);
    EXPECT_EQ(platform::testing::LogLines()[0], "kept: here");
    platform::testing::ClearLogLines();
    EXPECT_TRUE(platform::testing::LogLines().empty());
}

}  // namespace
