// Frame pacing on the virtual performance counter.
#include "frame/FrameTest.h"
#include "game/CBackground.h"

#include <algorithm>
#include <random>

namespace {

class PacingTest : public FrameTest {};

TEST_F(PacingTest, FirstFrameRunsOnFirstIdleTurnOnceTheCounterMoved) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    EXPECT_EQ(game.NextFrame(), 1000000000);  // the counter before Init
    EXPECT_EQ(game.TicksPerFrame(), 1000000000 / 60);

    // A counter equal to nextFrame is not yet time.
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(game.updates, 0);

    platform::testing::AdvanceClock(1);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(game.updates, 1);
    EXPECT_FLOAT_EQ(game.lastDeltaTime, (1 + 1000000000.0 / 60) / 1e9);
    // Due one period after the first frame was due, not after it started.
    EXPECT_EQ(game.NextFrame(), 1000000000 + game.TicksPerFrame());
}

// Runs idle turns until a frame has run, the counter moving on a little each turn as a busy
// loop's would; returns the counter at that frame's start.
int64_t RunOneFrame(TestGame& game) {
    int before = game.updates;
    while (game.updates == before) {
        platform::testing::AdvanceClock(20000);
        EXPECT_TRUE(game.IdleTurn());
    }
    return platform::testing::Clock();
}

TEST_F(PacingTest, AtMostOneFramePerPeriodAndALateFrameIsMadeUpByTheNext) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    ASSERT_TRUE(game.NextFrameTurn());
    int64_t period = game.TicksPerFrame();

    // Not yet due: no frame.
    platform::testing::SetClock(game.NextFrame());
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(game.updates, 1);

    // Half a period late: the next is still due one period after this one was due.
    int64_t due = game.NextFrame();
    platform::testing::SetClock(due + period / 2);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(game.updates, 2);
    EXPECT_NEAR(game.NextFrame(), due + period, 4);  // due times are exact, periods rounded

    // Three periods late: the missed frames run back to back until the schedule is caught up.
    due = game.NextFrame();
    platform::testing::SetClock(due + 3 * period + period / 2);
    for (int turn = 0; turn < 10; ++turn) {
        ASSERT_TRUE(game.IdleTurn());
    }
    EXPECT_EQ(game.updates, 2 + 4);
    EXPECT_NEAR(game.NextFrame(), due + 4 * period, 4);
    EXPECT_GT(game.NextFrame(), platform::testing::Clock());
}

TEST_F(PacingTest, FramesStartingLateByAFractionOfAPeriodKeepSixtyASecond) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    const int64_t anchor = game.NextFrame();
    const int64_t period = game.TicksPerFrame();
    std::mt19937 random(20);
    std::uniform_int_distribution<int64_t> lateness(0, period * 9 / 10);
    std::vector<int64_t> starts;
    for (int frame = 0; frame < 1000; ++frame) {
        int64_t late = lateness(random);
        platform::testing::SetClock(std::max(platform::testing::Clock(), game.NextFrame() + late));
        starts.push_back(RunOneFrame(game));
    }
    // N seconds after the schedule began, N x 60 frames have started, within one.
    for (int seconds = 1; seconds <= 16; ++seconds) {
        const int64_t at = anchor + seconds * int64_t{1000000000};
        const auto started = std::upper_bound(starts.begin(), starts.end(), at) - starts.begin();
        EXPECT_NEAR(static_cast<double>(started), seconds * 60.0, 1.0) << seconds << " s";
    }
    // The schedule itself has not moved: the next frame is due 1000 periods after the first.
    EXPECT_EQ(game.NextFrame(), anchor + 1000 * int64_t{1000000000} / 60);
}

TEST_F(PacingTest, AStallRestartsTheScheduleInsteadOfRacingThroughIt) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    const int64_t period = game.TicksPerFrame();
    RunOneFrame(game);
    const int updates = game.updates;

    // Half a second without a turn (the process was suspended, the window dragged).
    platform::testing::SetClock(game.NextFrame() + 500000000);
    const int64_t resumed = RunOneFrame(game);
    EXPECT_NEAR(game.NextFrame(), resumed + period, 4);

    // The tenth of a second from there holds six frames, not the thirty that were missed.
    while (platform::testing::Clock() < resumed + 100000000) {
        platform::testing::AdvanceClock(100000);
        ASSERT_TRUE(game.IdleTurn());
    }
    EXPECT_EQ(game.updates - updates, 6);
}

TEST_F(PacingTest, AfterALostDeviceIsRestoredFramesResumeOnePerPeriod) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    ASSERT_TRUE(game.NextFrameTurn());
    platform::testing::LoseDevice(CGame::device, 3);
    ASSERT_TRUE(game.NextFrameTurn());
    ASSERT_TRUE(CGame::deviceLost);

    // Each idle turn sleeps 100 ms while lost; the recovery's turn runs a frame.
    int updates = game.updates;
    while (CGame::deviceLost || game.updates == updates) {
        ASSERT_TRUE(game.IdleTurn());
    }
    const int64_t restored = platform::testing::Clock();
    EXPECT_EQ(game.updates, updates + 1);
    EXPECT_NEAR(game.NextFrame(), restored + game.TicksPerFrame(), 4);
    while (platform::testing::Clock() < restored + 50000000) {
        platform::testing::AdvanceClock(100000);
        ASSERT_TRUE(game.IdleTurn());
    }
    EXPECT_EQ(game.updates - updates, 3);  // the restoring turn's frame and two more
}

TEST_F(PacingTest, FrameOrderIsUpdateClearRenderPresent) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(TraceFrom("Game.Update"),
              (std::vector<std::string>{"Game.Update", "Game.Render", "Present"}));
    // The frame's white clear never shows: the game clears to black again and adds the eight
    // background layers (the stand-in texel 0x40 in this frame's colour) over the whole screen.
    auto image = platform::testing::ReadBackBuffer(CGame::device);
    ASSERT_EQ(image.width, 640);
    ASSERT_EQ(image.height, 480);
    const D3DXCOLOR colour = CBackground::GetInstance()->currentColor;
    for (uint32_t pixel : {image.At(0, 0), image.At(639, 479)}) {
        EXPECT_NE(pixel, 0xFFFFFFFFu);
        EXPECT_NEAR(static_cast<int>(pixel >> 16 & 0xFF), 8 * 64 * colour.r, 8);
        EXPECT_NEAR(static_cast<int>(pixel >> 8 & 0xFF), 8 * 64 * colour.g, 8);
        EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 8 * 64 * colour.b, 8);
    }
}

TEST_F(PacingTest, FailedBeginSceneStillUpdatesAndPresents) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    platform::testing::InjectFailure(platform::testing::Failure::BeginScene);
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(game.updates, 1);
    EXPECT_EQ(game.renders, 0);
    EXPECT_EQ(TraceFrom("Game.Update"), (std::vector<std::string>{"Game.Update", "Present"}));
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(game.renders, 1);
}

TEST_F(PacingTest, FailedPresentEndsTheProgram) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    platform::testing::InjectFailure(platform::testing::Failure::Present);
    EXPECT_EQ(game.RunToEnd(), 0);
    EXPECT_FALSE(IsWindow(CGame::hWnd));
    EXPECT_EQ(game.shutdowns, 1);
}

}  // namespace
