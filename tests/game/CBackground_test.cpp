// The background's colour blend and turning layers, without drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "game/CBackground.h"

namespace {

TEST(CBackgroundTest, SixDarkColoursInTheirOrder) {
    CBackground background;
    const int rgb[6][3] = {{64, 16, 16}, {64, 64, 16}, {16, 64, 16},
                           {16, 64, 64}, {16, 16, 64}, {64, 16, 64}};
    for (int i = 0; i < 6; ++i) {
        const D3DCOLOR packed = background.colors[i];
        EXPECT_EQ(packed, D3DCOLOR_ARGB(255, rgb[i][0], rgb[i][1], rgb[i][2])) << i;
    }
    EXPECT_GE(background.colorIndex, 0);
    EXPECT_LT(background.colorIndex, 6);
    EXPECT_GE(background.colorTimer.time, 0.0f);
    EXPECT_LT(background.colorTimer.time, 2.0f);
    EXPECT_EQ(background.colorTimer.period, 2.0f);
}

TEST(CBackgroundTest, TheColourChangesWithoutAJumpWhenTheIndexAdvances) {
    CBackground background;
    background.colorIndex = 5;  // magenta towards red: the index wraps to 0 on the way
    background.colorTimer.time = 1.9f;
    float previous[3] = {-1.0f, -1.0f, -1.0f};
    bool advanced = false;
    for (int frame = 0; frame < 20; ++frame) {
        background.UpdateBackground();
        const float now[3] = {background.currentColor.r, background.currentColor.g,
                              background.currentColor.b};
        if (previous[0] >= 0.0f) {
            for (int c = 0; c < 3; ++c) {
                // One frame of a 2 s blend moves a channel by at most 48/255 / 120.
                EXPECT_LE(std::fabs(now[c] - previous[c]), 48.0f / 255.0f / 120.0f + 1e-5f)
                    << "frame " << frame;
            }
        }
        advanced = advanced || background.colorIndex == 0;
        std::copy(now, now + 3, previous);
    }
    EXPECT_TRUE(advanced);
    EXPECT_EQ(background.colorIndex, 0);
}

TEST(CBackgroundTest, LayersTurnEachAtItsOwnSpeedInAlternateDirections) {
    CBackground background;
    for (float& angle : background.angles) {
        angle = 100.0f;
    }
    for (int frame = 0; frame < 10; ++frame) {
        background.UpdateBackground();
    }
    const float perFrame[8] = {0.1f, -0.2f, 0.3f, -0.4f, 0.5f, -0.6f, 0.7f, -0.8f};
    for (int k = 0; k < 8; ++k) {
        EXPECT_NEAR(background.angles[k], 100.0f + 10 * perFrame[k], 1e-3f) << k;
    }
}

TEST(CBackgroundTest, ShuffledAnglesLieWithinOneTurnAndDiffer) {
    std::srand(7);
    CBackground background;
    background.ShuffleBackgroundAngles();
    for (float angle : background.angles) {
        EXPECT_GE(angle, 0.0f);
        EXPECT_LT(angle, 360.0f);
    }
    EXPECT_NE(background.angles[0], background.angles[1]);
}

TEST(CBackgroundTest, AFullCycleOfTheSixColoursTakesTwelveSeconds) {
    CBackground background;
    background.colorIndex = 2;
    background.colorTimer.time = 0.0f;
    for (int frame = 0; frame < 12 * 60 - 5; ++frame) {
        background.UpdateBackground();
    }
    EXPECT_EQ(background.colorIndex, 1);
    for (int frame = 0; frame < 10; ++frame) {
        background.UpdateBackground();
    }
    EXPECT_EQ(background.colorIndex, 2);
}

}  // namespace
