// The Play scene's singleton.
#include "game/CScenePlay.h"

#include "frame/SceneId.h"

CScenePlay* CScenePlay::GetInstance() {
    static CScenePlay instance;
    return &instance;
}

CScenePlay::CScenePlay() : CScene(SCENE_PLAY, "Play") {}
