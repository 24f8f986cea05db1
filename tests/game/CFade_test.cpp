// The fade's state machine: when the screen is black, how the overlay darkens and clears.
#include <gtest/gtest.h>

#include <vector>

#include "game/CFade.h"

namespace {

std::vector<int> States(CFade& fade, int updates) {
    std::vector<int> states;
    for (int i = 0; i < updates; ++i) {
        fade.UpdateFade();
        states.push_back(fade.state);
    }
    return states;
}

int FirstUpdateIn(const std::vector<int>& states, int state) {
    for (size_t i = 0; i < states.size(); ++i) {
        if (states[i] == state) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST(CFadeTest, IdleFadeStaysTransparent) {
    CFade fade(2.0f);
    fade.SetIdle();
    for (int state : States(fade, 5)) {
        EXPECT_EQ(state, FADE_IDLE);
    }
    EXPECT_EQ(fade.vertices[0].color, 0x00000000u);
    EXPECT_EQ(fade.vertices[3].color, 0x00000000u);
}

TEST(CFadeTest, LongFadeIsBlackFromNineTenthsToElevenTenthsOfASecond) {
    CFade fade(2.0f);
    fade.SetIdle();
    fade.StartFade();
    auto states = States(fade, 130);
    EXPECT_EQ(states[0], FADE_IN);  // still transparent in the update of the start
    int covered = FirstUpdateIn(states, FADE_COVERED);
    int clearing = FirstUpdateIn(states, FADE_OUT);
    int idle = FirstUpdateIn(states, FADE_IDLE);
    // Update k sees the time of k float steps, which falls just short of 0.9 s, 1.1 s and
    // 2.0 s at k = 54, 66 and 120; each state begins one update later.
    EXPECT_EQ(covered, 55);
    EXPECT_EQ(clearing, 67);
    EXPECT_EQ(idle, 121);
}

TEST(CFadeTest, OverlayAlphaRisesToBlackAndFallsBack) {
    CFade fade(0.5f);
    fade.StartFade();
    std::vector<unsigned> alphas;
    for (int i = 0; i < 32; ++i) {
        fade.UpdateFade();
        alphas.push_back(fade.vertices[0].color >> 24);
        EXPECT_EQ(fade.vertices[0].color & 0x00FFFFFFu, 0u);  // always black
        EXPECT_EQ(fade.vertices[2].color, fade.vertices[0].color);
    }
    EXPECT_EQ(alphas[0], 0u);
    EXPECT_EQ(alphas[14], 255u);  // covered
    EXPECT_LT(alphas[13], 255u);
    EXPECT_GT(alphas[13], alphas[12]);
    EXPECT_LT(alphas[20], 255u);
    EXPECT_EQ(alphas[31], 0u);
}

TEST(CFadeTest, StartingAgainWhileCoveredDropsToTransparentAndDarkensAgain) {
    CFade fade(0.5f);
    fade.StartFade();
    States(fade, 15);
    ASSERT_EQ(fade.state, FADE_COVERED);
    fade.StartFade();
    fade.UpdateFade();
    EXPECT_EQ(fade.state, FADE_IN);
    EXPECT_EQ(fade.vertices[0].color >> 24, 0u);
}

TEST(CFadeTest, VerticesCoverTheViewportAsAStrip) {
    CFade fade(0.5f);
    EXPECT_EQ(fade.vertices[0].x, -1.0f);
    EXPECT_EQ(fade.vertices[0].y, 1.0f);
    EXPECT_EQ(fade.vertices[3].x, 1.0f);
    EXPECT_EQ(fade.vertices[3].y, -1.0f);
    EXPECT_EQ(fade.vertices[1].color, 0xFF000000u);
    EXPECT_EQ(longFade.fadeTimer.period, 2.0f);
    EXPECT_EQ(shortFade.fadeTimer.period, 0.5f);
}

}  // namespace
