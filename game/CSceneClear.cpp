// The Clear scene's update and drawing.
#include "game/CSceneClear.h"

#include "frame/CSceneManager.h"
#include "frame/SceneId.h"
#include "game/CFade.h"
#include "game/CPlayState.h"
#include "game/SceneText.h"
#include "input/KeyBindings.h"
#include "sound/CSound.h"

namespace {

constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;

}  // namespace

CSceneClear* CSceneClear::GetInstance() {
    static CSceneClear instance;
    return &instance;
}

CSceneClear::CSceneClear() : CScene(SCENE_CLEAR, "Clear") {}

void CSceneClear::Init() {
    recordBlinkTimer.time = 0.0f;
    leaving = false;
    blinkTimer.time = 0.0f;
    recordBlinkOn = true;
    blinkOn = true;
}

void CSceneClear::Update() {
    // The play scene restarted the music when it handed over; here it is only kept going.
    if (CSound* music = CSound::Get("BGMScene")) {
        music->Play();
    }
    if (!leaving && IsActionPressed(ACTION_DECIDE)) {
        if (CSound* sound = CSound::Get("Scene")) {
            sound->PlayFromStart();
        }
        leaving = true;
        longFade.StartFade();
    }
    blinkTimer.AdvanceLoop();
    if (blinkTimer.wrapped) {
        blinkOn = !blinkOn;
    }
    // Only a new record blinks; otherwise the count stays shown.
    if (CPlayState::GetInstance()->newRecord) {
        recordBlinkTimer.AdvanceLoop();
        if (recordBlinkTimer.wrapped) {
            recordBlinkOn = !recordBlinkOn;
        }
    }
    if (leaving && longFade.state == FADE_COVERED) {
        CSceneManager* manager = CSceneManager::GetInstance();
        manager->addSceneId = SCENE_TITLE;
        manager->removeSceneId = id;
        manager->switchRequested = true;
    }
}

void CSceneClear::Render() {
    const D3DCOLOR alpha = recordBlinkOn ? 0xFF000000 : 0x00000000;
    PrintWithShadow(320.0f, 96.0f, kBlack, kWhite, "RESULT");
    PrintWithShadow(320.0f, 240.0f, alpha, alpha | 0x00FFFFFF, "%03d",
                    CPlayState::GetInstance()->misses);
    PrintWithShadow(320.0f, 384.0f, kBlack, PromptColor(blinkOn), "CLICK");
}
