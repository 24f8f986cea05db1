// The scenes in the real game: the title starting a play, the play leaving for the clear scene or
// the title behind the long fade, the clear scene returning to the title, and the pause scene.
#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayer.h"
#include "game/CRhythm.h"
#include "game/CSceneClear.h"
#include "game/CScenePause.h"
#include "game/CScenePlay.h"
#include "game/CSceneTitle.h"
#include "game/GameTest.h"
#include "sound/CSound.h"
#include "support/TestAssets.h"

namespace {

bool Playing(const char* name) {
    DWORD status = 0;
    CSound::Get(name)->buffer->GetStatus(&status);
    return (status & DSBSTATUS_PLAYING) != 0;
}

// The flow needs no pictures, except where a test turns the drawing on for one.
class ScenesTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        game.drawing = false;
    }

    // From a fresh play: straight to floor 20 with 3 misses, then the walk onto the goal. Stops
    // after the frame of the step.
    void WalkOntoTheFinalGoal() {
        StartAPlay();
        CFloorMap* map = CFloorMap::GetInstance();
        map->floorIndex = FLOOR_COUNT - 2;
        LoadNextFloor(map);
        CPlayState::GetInstance()->misses = 3;
        CFinalGoal* goal = CFinalGoal::GetInstance();
        while (!CPlayState::GetInstance()->finished && !HasFatalFailure()) {
            const int phase = FirstStepToward(goal->x, goal->y);
            ASSERT_GE(phase, 0);
            ClickOnPhase(phase);
        }
    }

    static CScenePlay* PlayScene() { return CScenePlay::GetInstance(); }
};

TEST_F(ScenesTest, StartsOnTheTitleWithItsMusicAndBothFadesIdle) {
    EXPECT_EQ(ActiveScene(), CSceneTitle::GetInstance());
    EXPECT_TRUE(Playing("BGMScene"));
    EXPECT_EQ(longFade.state, FADE_IDLE);
    EXPECT_EQ(shortFade.state, FADE_IDLE);
    EXPECT_EQ(CPlayState::GetInstance()->record, 12);
}

TEST_F(ScenesTest, AClickOnTheTitleStartsAPlayAtTheDarkestPointWithTheGameMusic) {
    CSound::Get("Scene")->Stop();
    Press(VK_LBUTTON);
    Frame();
    EXPECT_TRUE(CSceneTitle::GetInstance()->leaving);
    EXPECT_TRUE(Playing("Scene"));
    EXPECT_EQ(longFade.fadeTimer.time, TIME_STEP);
    // Further clicks during the fade are ignored: the fade is not started again.
    CSound::Get("Scene")->Stop();
    Frames(10);
    Press(VK_LBUTTON);
    Frame();
    EXPECT_FALSE(Playing("Scene"));
    EXPECT_FLOAT_EQ(longFade.fadeTimer.time, 12 * TIME_STEP);

    FramesUntil([] { return ActiveScene() != CSceneTitle::GetInstance(); });
    EXPECT_EQ(ActiveScene(), PlayScene());
    EXPECT_EQ(longFade.state, FADE_COVERED);
    EXPECT_FALSE(Playing("BGMScene"));
    EXPECT_TRUE(Playing("BGMGame"));
    EXPECT_EQ(CFloorMap::GetInstance()->floorIndex, 0);
    EXPECT_EQ(CPlayState::GetInstance()->misses, 0);
}

TEST_F(ScenesTest, AQuitOnFloorOneReachesTheTitleAfterTheLongFadeAndKeepsTheRecord) {
    StartAPlay();
    CSceneTitle::GetInstance()->blinkOn = false;
    Press(VK_RBUTTON);
    Frame();
    EXPECT_TRUE(PlayScene()->toTitle);
    EXPECT_TRUE(PlayScene()->leaving);
    // The fade darkens for 0.9 s; the switch comes with the first update that sees it black.
    const int frames = FramesUntil([] { return ActiveScene() == CSceneTitle::GetInstance(); }) + 1;
    EXPECT_EQ(frames, 57);
    EXPECT_TRUE(CSceneTitle::GetInstance()->blinkOn);
    EXPECT_TRUE(Playing("BGMScene"));
    EXPECT_FALSE(Playing("BGMGame"));
    EXPECT_EQ(CPlayState::GetInstance()->record, 12);
    EXPECT_EQ(folder.RecordBytes(), "12\r\n");

    // The first picture the fade lets through shows "CLICK" in white (dimmed), not red.
    game.drawing = true;
    FramesUntil([] { return longFade.state == FADE_OUT; });
    const auto screen = Screen();
    const int g = 64;
    const uint32_t pixel =
        screen.At(161 + test_assets::GlyphSolidX(g), 353 + test_assets::GlyphSolidY(g));
    const int red = pixel >> 16 & 0xFF;
    const int green = pixel >> 8 & 0xFF;
    EXPECT_GT(red, 10);
    EXPECT_NEAR(green, red, 3);
}

TEST_F(ScenesTest, TheStepOntoTheFinalGoalStartsTheFadeToTheClearSceneInTheSameFrame) {
    WalkOntoTheFinalGoal();
    ASSERT_TRUE(CPlayState::GetInstance()->finished);
    EXPECT_TRUE(PlayScene()->leaving);
    EXPECT_FALSE(PlayScene()->toTitle);
    EXPECT_EQ(longFade.state, FADE_IN);
    EXPECT_EQ(longFade.fadeTimer.time, TIME_STEP);
    EXPECT_TRUE(CPlayState::GetInstance()->newRecord);
    EXPECT_EQ(folder.RecordBytes(), "3\r\n");

    FramesUntil([] { return ActiveScene() != PlayScene(); });
    EXPECT_EQ(ActiveScene(), CSceneClear::GetInstance());
    EXPECT_EQ(longFade.state, FADE_COVERED);
    EXPECT_TRUE(Playing("BGMScene"));
    EXPECT_FALSE(Playing("BGMGame"));

    // The clear scene: a click starts its own fade (from transparent); clicks while it is
    // leaving are ignored.
    FramesUntil([] { return longFade.state == FADE_IDLE; });
    CSound::Get("Scene")->Stop();
    Press(VK_LBUTTON);
    Frame();
    EXPECT_TRUE(CSceneClear::GetInstance()->leaving);
    EXPECT_TRUE(Playing("Scene"));
    Frames(5);
    CSound::Get("Scene")->Stop();
    Press(VK_LBUTTON);
    Frame();
    EXPECT_FALSE(Playing("Scene"));
    EXPECT_FLOAT_EQ(longFade.fadeTimer.time, 7 * TIME_STEP);
    FramesUntil([] { return ActiveScene() != CSceneClear::GetInstance(); });
    EXPECT_EQ(ActiveScene(), CSceneTitle::GetInstance());
    EXPECT_EQ(CPlayState::GetInstance()->record, 3);
}

TEST_F(ScenesTest, AQuitDuringTheFadeAfterTheGoalRestartsItAndLeadsToTheTitle) {
    WalkOntoTheFinalGoal();
    Frames(20);
    Press(VK_RBUTTON);
    Frame();
    EXPECT_TRUE(PlayScene()->toTitle);
    EXPECT_EQ(longFade.fadeTimer.time, TIME_STEP);  // from transparent again
    FramesUntil([] { return ActiveScene() != PlayScene(); });
    EXPECT_EQ(ActiveScene(), CSceneTitle::GetInstance());
}

TEST_F(ScenesTest, TheClearSceneBlinksTheCountOnlyAfterANewRecord) {
    CSceneClear* clear = CSceneClear::GetInstance();
    CPlayState* play = CPlayState::GetInstance();
    auto& active = CSceneManager::GetInstance()->activeScenes;
    active.clear();
    active.push_back(clear);
    play->newRecord = false;
    clear->Init();
    Frames(60);
    EXPECT_TRUE(clear->recordBlinkOn);
    EXPECT_EQ(clear->recordBlinkTimer.time, 0.0f);

    play->newRecord = true;
    const int shown = FramesUntil([clear] { return !clear->recordBlinkOn; });
    EXPECT_EQ(shown, 28);  // 0.465 s
    EXPECT_EQ(FramesUntil([clear] { return clear->recordBlinkOn; }), 28);
    // The prompt blinks twice as fast, on every visit from white.
    clear->Init();
    EXPECT_TRUE(clear->blinkOn);
    EXPECT_EQ(FramesUntil([clear] { return !clear->blinkOn; }), 14);
}

TEST_F(ScenesTest, ThePauseSceneFreezesThePlayWhileTheBackgroundAndFadesMove) {
    StartAPlay();
    auto& active = CSceneManager::GetInstance()->activeScenes;
    active.clear();
    active.push_back(CScenePause::GetInstance());
    CRhythm* rhythm = CRhythm::GetInstance();
    CPlayer* player = CPlayer::GetInstance();
    const float rhythmTime = rhythm->cycleTimer.time;
    const float animTime = player->animTimer.time;
    const float angle = CBackground::GetInstance()->angles[0];
    const float colourTime = CBackground::GetInstance()->colorTimer.time;
    shortFade.StartFade();
    Press(VK_LBUTTON);  // a click does not step while paused
    Frames(10);
    EXPECT_EQ(rhythm->cycleTimer.time, rhythmTime);
    EXPECT_EQ(player->animTimer.time, animTime);
    EXPECT_EQ(player->x, 4);
    EXPECT_EQ(player->y, 1);
    EXPECT_NE(CBackground::GetInstance()->angles[0], angle);
    EXPECT_NE(CBackground::GetInstance()->colorTimer.time, colourTime);
    EXPECT_FLOAT_EQ(shortFade.fadeTimer.time, 10 * TIME_STEP);

    // The resume key switches back in the frame of the press, without a fade.
    longFade.SetIdle();
    platform::testing::InjectKey(CGame::hWnd, VK_SPACE, true);
    Frame();
    EXPECT_EQ(ActiveScene(), PlayScene());
    EXPECT_EQ(longFade.state, FADE_IDLE);
    EXPECT_FALSE(PlayScene()->leaving);
    EXPECT_EQ(rhythm->cycleTimer.time, rhythmTime);  // the play goes on from the next frame
    Frame();
    EXPECT_NE(rhythm->cycleTimer.time, rhythmTime);
}

}  // namespace
