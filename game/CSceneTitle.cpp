// The Title scene's singleton.
#include "game/CSceneTitle.h"

#include "frame/SceneId.h"

CSceneTitle* CSceneTitle::GetInstance() {
    static CSceneTitle instance;
    return &instance;
}

CSceneTitle::CSceneTitle() : CScene(SCENE_TITLE, "Title") {}
