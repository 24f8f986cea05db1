// The scene manager's update, drawing and switching.
#include "frame/CSceneManager.h"

#include "game/CSceneClear.h"
#include "game/CScenePause.h"
#include "game/CScenePlay.h"
#include "game/CSceneTitle.h"

CSceneManager* CSceneManager::GetInstance() {
    static CSceneManager instance;
    return &instance;
}

// The braced list is evaluated left to right, so the scenes are built in id order.
CSceneManager::CSceneManager()
    : CSceneManager(std::array<CScene*, SCENE_COUNT>{
          CSceneClear::GetInstance(), CScenePause::GetInstance(), CScenePlay::GetInstance(),
          CSceneTitle::GetInstance()}) {}

CSceneManager::CSceneManager(const std::array<CScene*, SCENE_COUNT>& sceneTable) {
    for (int id = 0; id < SCENE_COUNT; ++id) {
        scenes[id] = sceneTable[id];
    }
}

void CSceneManager::Update() {
    ClearRequests();
    for (CScene* scene : activeScenes) {
        scene->Update();
    }
    if (addRequested) {
        Add(addSceneId);
    }
    if (removeRequested) {
        Remove(removeSceneId);
    }
    // A switch with an unknown id on either side is dropped whole, so the requester stays
    // active instead of leaving an empty screen behind.
    if (switchRequested && SceneOf(addSceneId) && SceneOf(removeSceneId)) {
        Add(addSceneId);
        Remove(removeSceneId);
    }
}

void CSceneManager::Render() {
    for (CScene* scene : activeScenes) {
        scene->Render();
    }
}

void CSceneManager::RequestSwitch(int fromId, int toId) {
    addSceneId = toId;
    removeSceneId = fromId;
    switchRequested = true;
}

void CSceneManager::ClearRequests() {
    addSceneId = 0;
    removeSceneId = 0;
    addRequested = false;
    removeRequested = false;
    switchRequested = false;
}

CScene* CSceneManager::SceneOf(int id) const {
    return IsValidSceneId(id) ? scenes[id] : nullptr;
}

void CSceneManager::Add(int id) {
    if (CScene* scene = SceneOf(id)) {
        scene->Init();
        activeScenes.push_back(scene);
    }
}

void CSceneManager::Remove(int id) {
    if (CScene* scene = SceneOf(id)) {
        scene->Exit();
        activeScenes.remove(scene);
    }
}
