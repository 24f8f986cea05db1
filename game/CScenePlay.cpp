// The Play scene's update: the rules, the way out, and the switch behind the long fade.
#include "game/CScenePlay.h"

#include "frame/CSceneManager.h"
#include "frame/SceneId.h"
#include "game/CFade.h"
#include "game/CPlayState.h"
#include "game/PlayDrawing.h"
#include "game/PlayRules.h"
#include "input/KeyBindings.h"
#include "sound/CSound.h"

CScenePlay* CScenePlay::GetInstance() {
    static CScenePlay instance;
    return &instance;
}

CScenePlay::CScenePlay() : CScene(SCENE_PLAY, "Play") {}

void CScenePlay::Init() {
    leaving = false;
    toTitle = false;
}

void CScenePlay::Update() {
    // Asked every frame: the music is not looped, so it starts again once it has run out.
    if (CSound* music = CSound::Get("BGMGame")) {
        music->Play();
    }
    UpdatePlay();
    if (leaving || !CPlayState::GetInstance()->finished) {
        // A quit press restarts the fade, also while leaving for the clear scene.
        if (IsActionPressed(ACTION_QUIT)) {
            toTitle = true;
            leaving = true;
            longFade.StartFade();
        }
    } else {
        leaving = true;
        longFade.StartFade();
    }
    if (leaving && longFade.state == FADE_COVERED) {
        HandOver();
    }
}

void CScenePlay::Render() {
    RenderPlay();
}

void CScenePlay::HandOver() {
    CSceneManager* manager = CSceneManager::GetInstance();
    manager->addSceneId = toTitle ? SCENE_TITLE : SCENE_CLEAR;
    manager->removeSceneId = id;
    manager->switchRequested = true;
    if (CSound* music = CSound::Get("BGMGame")) {
        music->Stop();
    }
    if (CSound* music = CSound::Get("BGMScene")) {
        music->PlayFromStart();
    }
}
