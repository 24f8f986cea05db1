// The scene manager: the table of the four scenes, the list of active scenes that are updated
// and drawn each frame, and the request record through which scenes ask to be switched.
// Scenes are not owned; they are the scene singletons (or, in tests, any scenes given).
// A request whose scene id is out of range is ignored rather than trusted.
#pragma once

#include <array>
#include <list>

#include "frame/CScene.h"
#include "frame/SceneId.h"

class CSceneManager {
  public:
    // The one manager; building it builds the four scenes in id order.
    static CSceneManager* GetInstance();

    explicit CSceneManager(const std::array<CScene*, SCENE_COUNT>& sceneTable);
    CSceneManager(const CSceneManager&) = delete;
    CSceneManager& operator=(const CSceneManager&) = delete;

    // Clears the request record, updates the active scenes front to back, then carries out
    // the add, the remove and the switch that they requested, in that order.
    void Update();
    // Draws the active scenes front to back.
    void Render();

    // What a scene writes from its Update to hand over to the next scene.
    void RequestSwitch(int fromId, int toId);

    CScene* scenes[SCENE_COUNT];
    std::list<CScene*> activeScenes;  // front to back; not owned

    // The request record, cleared at the start of every Update.
    int addSceneId = 0;
    int removeSceneId = 0;
    bool addRequested = false;
    bool removeRequested = false;
    bool switchRequested = false;

  private:
    CSceneManager();

    void ClearRequests();
    // Null for an id outside the table.
    CScene* SceneOf(int id) const;
    void Add(int id);
    void Remove(int id);
};
