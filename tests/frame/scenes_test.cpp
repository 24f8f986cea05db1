// The four scene singletons and the scene base: ids, names, the manager's table and the base
// behaviour.
#include <gtest/gtest.h>

#include "frame/CSceneManager.h"
#include "game/CSceneClear.h"
#include "game/CScenePause.h"
#include "game/CScenePlay.h"
#include "game/CSceneTitle.h"

namespace {

TEST(Scenes, EachAccessorReturnsOneSceneWithItsIdAndName) {
    struct Expected {
        CScene* scene;
        CScene* again;
        int id;
        const char* name;
    };
    const Expected expected[] = {
        {CSceneClear::GetInstance(), CSceneClear::GetInstance(), SCENE_CLEAR, "Clear"},
        {CScenePause::GetInstance(), CScenePause::GetInstance(), SCENE_PAUSE, "Pause"},
        {CScenePlay::GetInstance(), CScenePlay::GetInstance(), SCENE_PLAY, "Play"},
        {CSceneTitle::GetInstance(), CSceneTitle::GetInstance(), SCENE_TITLE, "Title"},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(e.scene, e.again);
        EXPECT_EQ(e.scene->id, e.id);
        EXPECT_EQ(e.scene->name, e.name);
    }
}

TEST(Scenes, TheManagerHoldsTheFourSingletonsIndexedById) {
    CSceneManager* manager = CSceneManager::GetInstance();
    EXPECT_EQ(manager, CSceneManager::GetInstance());
    EXPECT_EQ(manager->scenes[SCENE_CLEAR], CSceneClear::GetInstance());
    EXPECT_EQ(manager->scenes[SCENE_PAUSE], CScenePause::GetInstance());
    EXPECT_EQ(manager->scenes[SCENE_PLAY], CScenePlay::GetInstance());
    EXPECT_EQ(manager->scenes[SCENE_TITLE], CSceneTitle::GetInstance());
    for (int id = 0; id < SCENE_COUNT; ++id) {
        EXPECT_EQ(manager->scenes[id]->id, id);
    }
}

TEST(Scenes, BaseBehaviourResetsLeavingOnInitOnly) {
    CScene scene(SCENE_PAUSE, "Pause");
    EXPECT_FALSE(scene.leaving);
    scene.leaving = true;
    scene.Update();
    scene.Render();
    scene.Exit();
    EXPECT_TRUE(scene.leaving);
    scene.Init();
    EXPECT_FALSE(scene.leaving);
}

}  // namespace
