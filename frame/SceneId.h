// Scene identifiers: each is the index of its scene in the scene manager's table.
#pragma once

enum SceneId : int {
    SCENE_CLEAR = 0,
    SCENE_PAUSE = 1,
    SCENE_PLAY = 2,
    SCENE_TITLE = 3,
};

constexpr int SCENE_COUNT = 4;

// Whether `id` names one of the scenes (requests carry plain ints).
constexpr bool IsValidSceneId(int id) {
    return id >= 0 && id < SCENE_COUNT;
}
