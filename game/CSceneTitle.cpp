// The Title scene's update and drawing.
#include "game/CSceneTitle.h"

#include "frame/CSceneManager.h"
#include "frame/SceneId.h"
#include "game/CFade.h"
#include "game/CPlayState.h"
#include "game/PlayRules.h"
#include "game/SceneText.h"
#include "input/KeyBindings.h"
#include "sound/CSound.h"

namespace {

constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;

}  // namespace

CSceneTitle* CSceneTitle::GetInstance() {
    static CSceneTitle instance;
    return &instance;
}

CSceneTitle::CSceneTitle() : CScene(SCENE_TITLE, "Title") {}

void CSceneTitle::Init() {
    leaving = false;
    blinkTimer.time = 0.0f;
    blinkOn = true;
}

void CSceneTitle::Update() {
    // Asked every frame: the music is not looped, so it starts again once it has run out.
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
    if (leaving && longFade.state == FADE_COVERED) {
        HandOver();
    }
}

void CSceneTitle::Render() {
    PrintWithShadow(320.0f, 96.0f, kBlack, kWhite, "POKUTAN");
    PrintWithShadow(320.0f, 240.0f, kBlack, kWhite, "%03d", CPlayState::GetInstance()->record);
    PrintWithShadow(320.0f, 384.0f, kBlack, PromptColor(blinkOn), "CLICK");
}

void CSceneTitle::HandOver() {
    CSceneManager* manager = CSceneManager::GetInstance();
    manager->addSceneId = SCENE_PLAY;
    manager->removeSceneId = id;
    manager->switchRequested = true;
    ResetPlay();
    if (CSound* music = CSound::Get("BGMScene")) {
        music->Stop();
    }
    if (CSound* music = CSound::Get("BGMGame")) {
        music->PlayFromStart();
    }
}
