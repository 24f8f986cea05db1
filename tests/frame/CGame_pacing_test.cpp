// Frame pacing on the virtual performance counter.
#include "frame/FrameTest.h"
#include "game/CBackground.h"

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
    EXPECT_EQ(game.NextFrame(), 1000000001 + game.TicksPerFrame());
}

TEST_F(PacingTest, AtMostOneFramePerPeriodAndLateFramesAreNotMadeUp) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    ASSERT_TRUE(game.NextFrameTurn());
    int64_t period = game.TicksPerFrame();

    platform::testing::SetClock(game.NextFrame());
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(game.updates, 1);

    // Five periods late: one frame, and the next is due one period after it started.
    int64_t late = game.NextFrame() + 5 * period;
    platform::testing::SetClock(late);
    ASSERT_TRUE(game.IdleTurn());
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(game.updates, 2);
    EXPECT_EQ(game.NextFrame(), late + period);
    EXPECT_NEAR(game.lastDeltaTime, 6.0 / 60, 1e-6);
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
