// The Clear scene's singleton.
#include "game/CSceneClear.h"

#include "frame/SceneId.h"

CSceneClear* CSceneClear::GetInstance() {
    static CSceneClear instance;
    return &instance;
}

CSceneClear::CSceneClear() : CScene(SCENE_CLEAR, "Clear") {}
