// The Pause scene's singleton.
#include "game/CScenePause.h"

#include "frame/SceneId.h"

CScenePause* CScenePause::GetInstance() {
    static CScenePause instance;
    return &instance;
}

CScenePause::CScenePause() : CScene(SCENE_PAUSE, "Pause") {}
