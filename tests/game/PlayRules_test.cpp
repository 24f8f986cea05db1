// The rules of a play, update by update: beats and directions, walls and the shake, stairs and
// the short fade, the final goal and the record.
#include <gtest/gtest.h>

#include <cmath>

#include "game/CFade.h"
#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayState.h"
#include "game/CPlayer.h"
#include "game/CRhythm.h"
#include "game/CStairs.h"
#include "game/PlayRules.h"
#include "input/KeyState.h"
#include "support/PlayDriver.h"

namespace {

class PlayRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shortFade.SetIdle();
        longFade.SetIdle();
        play = CPlayState::GetInstance();
        play->record = 999;
        ResetPlay();
    }

    // One frame: the rules, then the short fade, as the game's update orders them.
    void Frame(bool press) {
        KeyState* keys = KeyStateBuffer();
        keys->previous[VK_LBUTTON] = 0;
        keys->current[VK_LBUTTON] = press ? 0x80 : 0;
        UpdatePlay();
        shortFade.UpdateFade();
        keys->current[VK_LBUTTON] = 0;
    }

    // Waits for the beat, then presses in the update that runs it.
    void PressOnPhase(int phase) {
        for (int frame = 0; frame < 60 && PhaseOfNextUpdate() != phase; ++frame) {
            Frame(false);
        }
        ASSERT_EQ(PhaseOfNextUpdate(), phase);
        Frame(true);
    }

    void StepToward(int x, int y) {
        int phase = FirstStepToward(x, y);
        ASSERT_GE(phase, 0);
        PressOnPhase(phase);
    }

    ScratchRunFolder folder{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    CPlayState* play = nullptr;
    CPlayer* player = CPlayer::GetInstance();
};

TEST_F(PlayRulesTest, ANewPlayStartsOnFloorOneWithNothingCounted) {
    play->misses = 5;
    play->finished = true;
    CFloorMap::GetInstance()->floorIndex = 12;
    CRhythm::GetInstance()->cycleTimer.time = 0.5f;
    ResetPlay();
    EXPECT_EQ(CFloorMap::GetInstance()->floorIndex, 0);
    EXPECT_EQ(player->x, 4);
    EXPECT_EQ(player->y, 1);
    EXPECT_EQ(play->misses, 0);
    EXPECT_FALSE(play->finished);
    EXPECT_EQ(CRhythm::GetInstance()->cycleTimer.time, 0.0f);
    EXPECT_EQ(play->shakeTimer.time, play->shakeTimer.period);
    EXPECT_EQ(play->record, 999);
}

TEST_F(PlayRulesTest, PhaseChangesExactlyAtTheBeatStart) {
    CRhythm* rhythm = CRhythm::GetInstance();
    // Find the time from which the next update lands exactly on the second beat's start.
    float start = BEAT_LENGTH - TIME_STEP;
    bool found = false;
    for (int ulp = -8; ulp <= 8 && !found; ++ulp) {
        float candidate = start;
        for (int i = 0; i < std::abs(ulp); ++i) {
            candidate = std::nextafter(candidate, ulp < 0 ? 0.0f : 1.0f);
        }
        Timer probe{candidate, rhythm->cycleTimer.period, false, false};
        probe.AdvanceLoop();
        if (probe.time == BEAT_LENGTH) {
            start = candidate;
            found = true;
        }
    }
    ASSERT_TRUE(found);
    rhythm->cycleTimer.time = start;
    UpdateRhythm();
    EXPECT_EQ(rhythm->cycleTimer.time, 0.2323125f);
    EXPECT_EQ(rhythm->phase, 1);  // left

    rhythm->cycleTimer.time = std::nextafter(start, 0.0f);
    UpdateRhythm();
    EXPECT_LT(rhythm->cycleTimer.time, BEAT_LENGTH);
    EXPECT_EQ(rhythm->phase, 0);  // right
}

TEST_F(PlayRulesTest, AWallStepCountsAMissAndShakesFor15Updates) {
    // Floor 1 is a corridor going down: right is a wall.
    PressOnPhase(0);
    EXPECT_EQ(play->misses, 1);
    EXPECT_EQ(player->x, 4);
    EXPECT_EQ(player->y, 1);
    int shaking = 1;  // the update of the miss already shakes
    while (true) {
        Frame(false);
        if (play->shakeOffset.x == 0.0f && play->shakeOffset.y == 0.0f) {
            break;
        }
        EXPECT_GE(play->shakeOffset.x, -16.0f);
        EXPECT_LT(play->shakeOffset.x, 16.0f);
        ++shaking;
    }
    EXPECT_EQ(shaking, 15);
}

TEST_F(PlayRulesTest, ASecondWallStepRestartsTheShake) {
    PressOnPhase(0);
    for (int i = 0; i < 10; ++i) {
        Frame(false);
    }
    PressOnPhase(1);  // left is a wall too
    EXPECT_EQ(play->misses, 2);
    EXPECT_LT(play->shakeTimer.time, 0.02f);
    EXPECT_FALSE(play->shakeTimer.expired);
}

TEST_F(PlayRulesTest, StairsMoveTheMarkerAndTheNextFloorShowsUnderTheShortFade) {
    CStairs* stairs = CStairs::GetInstance();
    while (!play->floorChangePending) {
        StepToward(stairs->x, stairs->y);
    }
    EXPECT_EQ(player->x, 4);
    EXPECT_EQ(player->y, 7);
    EXPECT_TRUE(stairs->reached);
    float rhythmTime = CRhythm::GetInstance()->cycleTimer.time;

    int frames = 0;
    while (CFloorMap::GetInstance()->floorIndex == 0 && frames < 100) {
        Frame(false);
        ++frames;
    }
    // A quarter of a second, at the darkest moment of the short fade.
    EXPECT_EQ(frames, 15);
    EXPECT_EQ(shortFade.state, FADE_COVERED);
    EXPECT_FALSE(play->floorChangePending);
    EXPECT_EQ(player->x, 7);  // floor 2's start
    EXPECT_EQ(player->y, 4);
    // The rhythm went on; it was not restarted.
    Timer expected{rhythmTime, CRhythm::GetInstance()->cycleTimer.period, false, false};
    for (int i = 0; i < frames; ++i) {
        expected.AdvanceLoop();
    }
    EXPECT_EQ(CRhythm::GetInstance()->cycleTimer.time, expected.time);
}

class FinalGoalTest : public PlayRulesTest {
  protected:
    void SetUp() override {
        PlayRulesTest::SetUp();
        CFloorMap::GetInstance()->floorIndex = 18;
        LoadNextFloor(CFloorMap::GetInstance());  // floor 20
    }

    void WalkToTheGoal() {
        CFinalGoal* goal = CFinalGoal::GetInstance();
        while (!play->finished) {
            ASSERT_FALSE(HasFatalFailure());
            StepToward(goal->x, goal->y);
        }
    }
};

TEST_F(FinalGoalTest, TheGoalEndsThePlayInTheSameUpdateAndTheMarkerStays) {
    CFinalGoal* goal = CFinalGoal::GetInstance();
    while (!play->goalReached && !play->finished) {
        StepToward(goal->x, goal->y);
    }
    EXPECT_TRUE(play->finished);
    EXPECT_FALSE(play->goalReached);
    EXPECT_TRUE(goal->opening);
    EXPECT_EQ(player->x, 2);  // in front of the goal at (2, 1)
    EXPECT_EQ(player->y, 2);
    EXPECT_TRUE(play->newRecord);
    EXPECT_EQ(play->record, 0);
    EXPECT_EQ(folder.RecordBytes(), "0\r\n");
}

TEST_F(FinalGoalTest, ASecondPressOnTheGoalChangesNothingElse) {
    play->misses = 3;
    WalkToTheGoal();
    int record = play->record;
    PressOnPhase(2);  // up, into the goal again
    EXPECT_TRUE(play->finished);
    EXPECT_EQ(play->record, record);
    EXPECT_EQ(play->misses, 3);
    EXPECT_EQ(player->y, 2);
}

TEST_F(FinalGoalTest, ATieWithTheRecordIsNoNewRecordAndWritesNothing) {
    play->record = 3;
    play->misses = 3;
    WalkToTheGoal();
    EXPECT_FALSE(play->newRecord);
    EXPECT_EQ(play->record, 3);
    EXPECT_EQ(folder.RecordBytes(), "");
}

TEST_F(FinalGoalTest, FewerMissesWriteTheRecordAndLaterMissesDoNotChangeIt) {
    play->record = 5;
    play->misses = 4;
    WalkToTheGoal();
    EXPECT_TRUE(play->newRecord);
    EXPECT_EQ(folder.RecordBytes(), "4\r\n");
    PressOnPhase(PhaseIntoWall());
    EXPECT_EQ(play->misses, 5);
    EXPECT_EQ(play->record, 4);
    EXPECT_EQ(folder.RecordBytes(), "4\r\n");
}

TEST_F(FinalGoalTest, AnUnwritableRecordStillCountsForThisRun) {
    std::filesystem::remove_all(folder.RecordPath().parent_path());
    play->record = 5;
    WalkToTheGoal();
    EXPECT_TRUE(play->newRecord);
    EXPECT_EQ(play->record, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.RecordPath()));
}

}  // namespace
