// The Pause scene's update and drawing.
#include "game/CScenePause.h"

#include "frame/CSceneManager.h"
#include "frame/SceneId.h"
#include "game/PlayDrawing.h"
#include "input/KeyBindings.h"

CScenePause* CScenePause::GetInstance() {
    static CScenePause instance;
    return &instance;
}

CScenePause::CScenePause() : CScene(SCENE_PAUSE, "Pause") {}

void CScenePause::Update() {
    if (IsActionPressed(ACTION_RESUME)) {
        CSceneManager* manager = CSceneManager::GetInstance();
        manager->addSceneId = SCENE_PLAY;
        manager->removeSceneId = id;
        manager->switchRequested = true;
    }
}

void CScenePause::Render() {
    RenderPlay();
}
