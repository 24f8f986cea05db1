// The frame-stepped timer.
#include <gtest/gtest.h>

#include "game/Timer.h"

namespace {

TEST(TimerTest, StepIsTheFloatNearestToOneSixtieth) {
    EXPECT_EQ(TIME_STEP, 0.016666668f);
}

TEST(TimerTest, OneShotExpiresAfterPassingThePeriodAndStaysExpired) {
    Timer timer{0.0f, 0.25f, false, false};
    int running = 0;  // updates after which the timer has not run out
    for (timer.AdvanceOnce(); !timer.expired && running < 100; timer.AdvanceOnce()) {
        ++running;
    }
    EXPECT_EQ(running, 15);  // a 0.25 s shake lasts 15 updates
    EXPECT_EQ(timer.time, 0.25f);
    timer.AdvanceOnce();
    EXPECT_TRUE(timer.expired);
    timer.time = 0.0f;
    timer.AdvanceOnce();
    EXPECT_FALSE(timer.expired);
}

TEST(TimerTest, TimeEqualToThePeriodHasNotRunOut) {
    Timer timer{0.0f, TIME_STEP, false, false};
    timer.AdvanceOnce();
    EXPECT_FALSE(timer.expired);
    EXPECT_EQ(timer.time, TIME_STEP);
    timer.AdvanceOnce();
    EXPECT_TRUE(timer.expired);
}

TEST(TimerTest, AdditionIsInDoublePrecisionStoredAsFloat) {
    Timer timer{0.1f, 10.0f, false, false};
    timer.AdvanceOnce();
    EXPECT_EQ(timer.time, static_cast<float>(double{0.1f} + double{TIME_STEP}));
}

TEST(TimerTest, LoopWrapsOnlyInTheUpdateThatPassesTheEnd) {
    Timer timer{0.0f, 0.1f, false, false};
    int wraps = 0;
    for (int i = 0; i < 60; ++i) {
        timer.AdvanceLoop();
        wraps += timer.wrapped;
        EXPECT_LE(timer.time, 0.1f);
        EXPECT_GE(timer.time, 0.0f);
    }
    EXPECT_EQ(wraps, 9);  // one second over a 0.1 s period, the tenth wrap just short
}

TEST(TimerTest, LoopWithoutPeriodDoesNotHang) {
    Timer timer{0.0f, 0.0f, false, false};
    timer.AdvanceLoop();
    EXPECT_TRUE(timer.wrapped);
    EXPECT_EQ(timer.time, 0.0f);
}

}  // namespace
