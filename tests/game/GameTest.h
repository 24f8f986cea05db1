// Shared fixture of the game's scene tests: the real game object, headless on the virtual clock,
// in a scratch run folder with the stand-in assets (or, with `generatedAssets`, the game's own)
// and a record of 12, the mix pulled by the test, and the background held to a known colour
// and angle so that pictures repeat.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "audio_seam.h"
#include "frame/CSceneManager.h"
#include "game/CBackground.h"
#include "game/CFade.h"
#include "game/CPlayState.h"
#include "support/PlayDriver.h"
#include "support/TestGame.h"
#include "test_seam.h"

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::testing::StartHeadless();
        platform::testing::SetClock(1000000000);
        platform::testing::UsePulledAudio();
        if (generatedAssets) {
            folder.UseGeneratedAssets();
        } else {
            folder.WriteTestAssets();
        }
        std::ofstream(folder.RecordPath(), std::ios::binary) << "12\r\n";
        ASSERT_TRUE(game.StartUp());
        ASSERT_TRUE(platform::testing::MessageBoxes().empty());
        CBackground* background = CBackground::GetInstance();
        background->colorIndex = 0;
        background->colorTimer.time = 0.0f;
        for (float& angle : background->angles) {
            angle = 0.0f;
        }
    }

    void Frame() { ASSERT_TRUE(game.NextFrameTurn()); }

    void Frames(int count) {
        for (int i = 0; i < count && !HasFatalFailure(); ++i) {
            Frame();
        }
    }

    // Frames until `done` holds after one, at most `limit`; the number of frames run.
    int FramesUntil(const std::function<bool()>& done, int limit = 600) {
        for (int frames = 1; frames <= limit; ++frames) {
            Frame();
            if (HasFatalFailure() || done()) {
                return frames;
            }
        }
        ADD_FAILURE() << "not reached in " << limit << " frames";
        return limit;
    }

    // A click (left button) or a quit press (right button), seen by the next frame.
    void Press(int button) {
        platform::testing::InjectMouseButton(CGame::hWnd, button, true, 320, 240);
        platform::testing::InjectMouseButton(CGame::hWnd, button, false, 320, 240);
    }

    // One click on the given phase: frames until the next update runs it, then that update.
    void ClickOnPhase(int phase) {
        for (int frame = 0; frame < 60 && PhaseOfNextUpdate() != phase; ++frame) {
            Frame();
        }
        ASSERT_EQ(PhaseOfNextUpdate(), phase);
        Press(VK_LBUTTON);
        Frame();
    }

    static CScene* ActiveScene() {
        auto& active = CSceneManager::GetInstance()->activeScenes;
        return active.size() == 1 ? active.front() : nullptr;
    }

    // Title -> click -> the play scene, then frames until the long fade has cleared.
    void StartAPlay() {
        Press(VK_LBUTTON);
        FramesUntil([] { return ActiveScene() && ActiveScene()->id == SCENE_PLAY; });
        FramesUntil([] { return longFade.state == FADE_IDLE; });
    }

    static platform::testing::Image Screen() {
        return platform::testing::ReadBackBuffer(CGame::device);
    }

    bool generatedAssets = false;  // set before SetUp runs
    ScratchRunFolder folder{"game"};
    TestGame game;
};
