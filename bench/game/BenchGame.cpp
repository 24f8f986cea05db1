// The benchmark game: start-up in the scratch folder and the walks to each measured screen.
#include "bench/game/BenchGame.h"

#include <fstream>

#include "audio_seam.h"
#include "frame/CSceneManager.h"
#include "game/CFade.h"
#include "game/CPlayState.h"
#include "game/CSceneClear.h"
#include "game/CScenePause.h"
#include "game/CScenePlay.h"
#include "game/CSceneTitle.h"
#include "test_seam.h"

BenchGame::BenchGame(bool pulledAudio) {
    platform::testing::StartHeadless();
    platform::testing::SetClock(1000000000);
    if (pulledAudio) {
        platform::testing::UsePulledAudio();
    }
    folder.UseGeneratedAssets();
    std::ofstream(folder.RecordPath(), std::ios::binary) << "12\r\n";
    started = game.StartUp() && platform::testing::MessageBoxes().empty();
    game.onUpdate = [this](TestGame&) {
        if (!holdingWorstCase) {
            return;
        }
        // Set after the update, so the next frame computes its fades from these times.
        CPlayState* play = CPlayState::GetInstance();
        play->shakeTimer.time = 0.0f;
        play->shakeTimer.expired = false;
        play->shakeOffset = D3DXVECTOR2(12.0f, -9.0f);
        longFade.fadeTimer.time = 0.25f * longFade.fadeTimer.period;
        shortFade.fadeTimer.time = 0.25f * shortFade.fadeTimer.period;
    };
}

bool BenchGame::Frame() {
    return game.NextFrameTurn();
}

void BenchGame::UseRealClock() {
    platform::seam::GetState().virtualClock = false;
}

CScene* BenchGame::ActiveScene() {
    auto& active = CSceneManager::GetInstance()->activeScenes;
    return active.size() == 1 ? active.front() : nullptr;
}

void BenchGame::Click() {
    platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, true, 320, 240);
    platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, false, 320, 240);
}

void BenchGame::FramesUntil(bool (*done)(), int limit) {
    for (int frame = 0; frame < limit && !done(); ++frame) {
        if (!Frame()) {
            return;
        }
    }
}

void BenchGame::EnterTitle() {
    HoldWorstCase(false);
    if (ActiveScene() != CSceneTitle::GetInstance()) {
        auto& active = CSceneManager::GetInstance()->activeScenes;
        active.clear();
        active.push_back(CSceneTitle::GetInstance());
        CSceneTitle::GetInstance()->Init();
    }
    FramesUntil([] { return longFade.state == FADE_IDLE && shortFade.state == FADE_IDLE; });
}

void BenchGame::EnterPlay() {
    HoldWorstCase(false);
    if (ActiveScene() != CScenePlay::GetInstance()) {
        EnterTitle();
        Click();
        FramesUntil([] { return ActiveScene() == CScenePlay::GetInstance(); });
    }
    FramesUntil([] { return longFade.state == FADE_IDLE && shortFade.state == FADE_IDLE; });
}

void BenchGame::EnterPause() {
    EnterPlay();
    auto& active = CSceneManager::GetInstance()->activeScenes;
    active.clear();
    active.push_back(CScenePause::GetInstance());
    Frame();
}

void BenchGame::EnterClear() {
    HoldWorstCase(false);
    if (ActiveScene() != CSceneClear::GetInstance()) {
        EnterPlay();
        CPlayState* play = CPlayState::GetInstance();
        play->misses = 12;
        play->finished = true;
        FramesUntil([] { return ActiveScene() == CSceneClear::GetInstance(); });
    }
    FramesUntil([] { return longFade.state == FADE_IDLE; });
}

void BenchGame::HoldWorstCase(bool hold) {
    holdingWorstCase = hold;
    if (!hold) {
        CPlayState* play = CPlayState::GetInstance();
        play->shakeTimer.time = play->shakeTimer.period;
        longFade.fadeTimer.time = longFade.fadeTimer.period;
        shortFade.fadeTimer.time = shortFade.fadeTimer.period;
    }
}
