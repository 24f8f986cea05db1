// A whole play without pictures: the game's rules run frame by frame inside the real frame on
// the virtual clock, with clicks injected as a player would make them, through all twenty floors.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "audio_seam.h"
#include "frame/CSceneManager.h"
#include "game/CFade.h"
#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayState.h"
#include "game/CPlayer.h"
#include "game/CStairs.h"
#include "game/PlayRules.h"
#include "sound/CSound.h"
#include "support/PlayDriver.h"
#include "support/TestGame.h"
#include "test_seam.h"

namespace {

struct Start {
    int x, y;
};

// Where each floor starts, from its layout.
Start StartOf(int floorIndex) {
    const std::string& layout = CFloorMap::GetInstance()->layouts[floorIndex];
    int cell = static_cast<int>(layout.find(CELL_START));
    return {cell % GRID_SIZE, cell / GRID_SIZE};
}

// Runs UpdatePlay and nothing else.
class RulesOnlyScene : public CScene {
  public:
    RulesOnlyScene() : CScene(SCENE_PLAY, "Rules") {}
    void Update() override { UpdatePlay(); }
};

class PlayScenarioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::testing::StartHeadless();
        platform::testing::SetClock(1000000000);
        // The rule sounds are short and held still by the pulled mix, so a test sees which
        // ones the rules started.
        platform::testing::UsePulledAudio();
        folder.WriteTestAssets();
        std::ofstream(folder.RecordPath(), std::ios::binary) << "12\r\n";
        game.drawing = false;  // no pictures: the walk is long
        ASSERT_TRUE(game.StartUp());
        // The rules alone in the scene list, in the play scene's place: the game's update still
        // runs them before the fades, but no scene switch interrupts the walk.
        CSceneManager* manager = CSceneManager::GetInstance();
        manager->activeScenes.clear();
        manager->activeScenes.push_back(&rules);
        play = CPlayState::GetInstance();
        ResetPlay();
    }

    static bool Playing(const char* name) {
        DWORD status = 0;
        CSound::Get(name)->buffer->GetStatus(&status);
        return (status & DSBSTATUS_PLAYING) != 0;
    }

    static void StopRuleSounds() {
        for (const char* name : {"Rhythm01", "Rhythm02", "Rhythm03", "Rhythm04"}) {
            CSound::Get(name)->Stop();
        }
    }

    void Frame() { ASSERT_TRUE(game.NextFrameTurn()); }

    void ClickOnPhase(int phase) {
        for (int frame = 0; frame < 60 && PhaseOfNextUpdate() != phase; ++frame) {
            Frame();
        }
        ASSERT_EQ(PhaseOfNextUpdate(), phase);
        platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, true, 320, 240);
        platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, false, 320, 240);
        Frame();
    }

    void StepToward(int x, int y) {
        int phase = FirstStepToward(x, y);
        ASSERT_GE(phase, 0) << "no way on floor " << CFloorMap::GetInstance()->floorIndex + 1;
        ClickOnPhase(phase);
    }

    // Walks to the stairs and waits for the next floor; returns the frames the change took.
    // `fadeStartedAtOnce` tells whether the short fade began in the update of the step (it
    // waits for the previous floor's fade to clear when the player is quicker than that).
    int DescendOneFloor(bool* fadeStartedAtOnce) {
        CStairs* stairs = CStairs::GetInstance();
        int floor = CFloorMap::GetInstance()->floorIndex;
        while (!play->floorChangePending && !HasFatalFailure()) {
            StepToward(stairs->x, stairs->y);
        }
        EXPECT_EQ(CPlayer::GetInstance()->x, stairs->x);
        EXPECT_EQ(CPlayer::GetInstance()->y, stairs->y);
        *fadeStartedAtOnce = shortFade.state == FADE_IN && shortFade.fadeTimer.time == TIME_STEP;
        int frames = 0;
        while (CFloorMap::GetInstance()->floorIndex == floor && frames < 100 &&
               !HasFatalFailure()) {
            Frame();
            ++frames;
        }
        return frames;
    }

    ScratchRunFolder folder{"scenario"};
    TestGame game;
    RulesOnlyScene rules;
    CPlayState* play = nullptr;
};

TEST_F(PlayScenarioTest, TwentyFloorsToTheFinalGoalWithMissesAndTheRecord) {
    EXPECT_EQ(play->record, 12);  // read from the file when the play state was built
    EXPECT_EQ(CPlayer::GetInstance()->x, 4);
    EXPECT_EQ(CPlayer::GetInstance()->y, 1);

    for (int floor = 0; floor < FLOOR_COUNT - 1; ++floor) {
        ASSERT_EQ(CFloorMap::GetInstance()->floorIndex, floor);
        Start start = StartOf(floor);
        EXPECT_EQ(CPlayer::GetInstance()->x, start.x) << "floor " << floor + 1;
        EXPECT_EQ(CPlayer::GetInstance()->y, start.y) << "floor " << floor + 1;
        EXPECT_EQ(CFloorMap::GetInstance()->workingMap.find(CELL_START), std::string::npos);
        EXPECT_EQ(CFinalGoal::GetInstance()->x, PARKED_POSITION);
        if (floor == 2) {
            StopRuleSounds();
            ClickOnPhase(PhaseIntoWall());  // two misses on floor 3, each with its sound
            EXPECT_TRUE(Playing("Rhythm03"));
            EXPECT_FALSE(Playing("Rhythm01") || Playing("Rhythm02"));
            ClickOnPhase(PhaseIntoWall());
        }
        if (floor == 3) {
            StopRuleSounds();
            StepToward(CStairs::GetInstance()->x, CStairs::GetInstance()->y);  // right: beat 0
            EXPECT_TRUE(Playing("Rhythm02"));
            EXPECT_FALSE(Playing("Rhythm01") || Playing("Rhythm03"));
        }
        if (floor == 4) {
            // A step into a wall while the floor fades still counts.
            CStairs* stairs = CStairs::GetInstance();
            while (!play->floorChangePending) {
                StepToward(stairs->x, stairs->y);
                ASSERT_FALSE(HasFatalFailure());
            }
            ClickOnPhase(PhaseIntoWall());
            EXPECT_EQ(play->misses, 3);
        }
        bool fadeStartedAtOnce = false;
        int frames = DescendOneFloor(&fadeStartedAtOnce);
        ASSERT_FALSE(HasFatalFailure());
        // The next floor shows at the darkest moment of the short fade, a quarter second in.
        if (fadeStartedAtOnce) {
            EXPECT_EQ(frames, 15) << "floor " << floor + 1;
        } else if (floor != 4) {
            EXPECT_GT(frames, 15) << "floor " << floor + 1;
            EXPECT_LE(frames, 45) << "floor " << floor + 1;
        }
    }

    // Floor 20: the goal instead of the stairs.
    ASSERT_EQ(CFloorMap::GetInstance()->floorIndex, 19);
    EXPECT_EQ(CStairs::GetInstance()->x, PARKED_POSITION);
    CFinalGoal* goal = CFinalGoal::GetInstance();
    StopRuleSounds();
    while (!play->finished) {
        StepToward(goal->x, goal->y);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_FALSE(play->goalReached);  // turned into finished in the same update
    }
    EXPECT_TRUE(Playing("Rhythm04"));
    EXPECT_EQ(play->misses, 3);
    EXPECT_TRUE(play->newRecord);
    EXPECT_EQ(play->record, 3);
    EXPECT_EQ(folder.RecordBytes(), "3\r\n");

    // After the goal, misses still count but the record already saved stays.
    ClickOnPhase(PhaseIntoWall());
    EXPECT_EQ(play->misses, 4);
    EXPECT_EQ(play->record, 3);
    EXPECT_EQ(folder.RecordBytes(), "3\r\n");

    // A new play starts on floor 1 again and keeps the record.
    ResetPlay();
    EXPECT_EQ(CFloorMap::GetInstance()->floorIndex, 0);
    EXPECT_EQ(CPlayer::GetInstance()->x, 4);
    EXPECT_EQ(CPlayer::GetInstance()->y, 1);
    EXPECT_EQ(play->record, 3);
    EXPECT_FALSE(play->newRecord);
}

}  // namespace
