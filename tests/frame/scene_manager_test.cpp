// The scene manager: update and draw order, the request record and its lifetime, switches
// (including to the requester itself), several requesters in one frame, and unknown ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "frame/CSceneManager.h"

namespace {

// A scene that logs every call and runs an optional action from its Update and Render.
class LoggingScene : public CScene {
  public:
    LoggingScene(int id, const std::string& name, std::vector<std::string>* log)
        : CScene(id, name), log(log) {}

    void Init() override {
        CScene::Init();
        log->push_back("Init " + name);
    }
    void Update() override {
        log->push_back("Update " + name);
        if (onUpdate) {
            onUpdate();
        }
    }
    void Render() override {
        log->push_back("Render " + name);
        if (onRender) {
            onRender();
        }
    }
    void Exit() override { log->push_back("Exit " + name); }

    std::function<void()> onUpdate;
    std::function<void()> onRender;

  private:
    std::vector<std::string>* log;
};

class SceneManagerTest : public ::testing::Test {
  protected:
    SceneManagerTest()
        : clear(SCENE_CLEAR, "Clear", &log),
          pause(SCENE_PAUSE, "Pause", &log),
          play(SCENE_PLAY, "Play", &log),
          title(SCENE_TITLE, "Title", &log),
          manager({&clear, &pause, &play, &title}) {}

    // One frame as the game runs it: the manager's update, then its drawing.
    void Frame() {
        manager.Update();
        manager.Render();
    }

    std::vector<CScene*> Active() const {
        return {manager.activeScenes.begin(), manager.activeScenes.end()};
    }

    std::vector<std::string> log;
    LoggingScene clear;
    LoggingScene pause;
    LoggingScene play;
    LoggingScene title;
    CSceneManager manager;
};

using Log = std::vector<std::string>;

TEST_F(SceneManagerTest, StartsEmptyAndAnEmptyListUpdatesAndDrawsNothing) {
    EXPECT_TRUE(manager.activeScenes.empty());
    EXPECT_FALSE(manager.addRequested || manager.removeRequested || manager.switchRequested);
    Frame();
    EXPECT_TRUE(log.empty());
}

TEST_F(SceneManagerTest, UpdatesAndDrawsActiveScenesFrontToBack) {
    manager.activeScenes = {&play, &clear};
    Frame();
    EXPECT_EQ(log, (Log{"Update Play", "Update Clear", "Render Play", "Render Clear"}));
}

TEST_F(SceneManagerTest, SwitchTakesEffectAtTheEndOfTheSameUpdate) {
    manager.activeScenes = {&title};
    title.onUpdate = [&] { manager.RequestSwitch(SCENE_TITLE, SCENE_PLAY); };
    play.leaving = true;

    manager.Update();
    EXPECT_EQ(log, (Log{"Update Title", "Init Play", "Exit Title"}));
    EXPECT_EQ(Active(), (std::vector<CScene*>{&play}));
    EXPECT_FALSE(play.leaving) << "Init of the new scene resets its leaving flag";

    // The new scene is drawn once before its first update; the old one is no longer drawn.
    log.clear();
    manager.Render();
    EXPECT_EQ(log, (Log{"Render Play"}));
    log.clear();
    Frame();
    EXPECT_EQ(log, (Log{"Update Play", "Render Play"}));
}

TEST_F(SceneManagerTest, RequestRecordStaysUntilTheStartOfTheNextUpdate) {
    manager.activeScenes = {&title};
    title.onUpdate = [&] { manager.RequestSwitch(SCENE_TITLE, SCENE_CLEAR); };
    manager.Update();
    EXPECT_TRUE(manager.switchRequested);
    EXPECT_EQ(manager.addSceneId, SCENE_CLEAR);
    EXPECT_EQ(manager.removeSceneId, SCENE_TITLE);

    manager.Update();  // only Clear is active now, and it requests nothing
    EXPECT_FALSE(manager.switchRequested);
    EXPECT_EQ(manager.addSceneId, 0);
    EXPECT_EQ(manager.removeSceneId, 0);
    EXPECT_EQ(Active(), (std::vector<CScene*>{&clear}));
}

TEST_F(SceneManagerTest, RequestMadeFromRenderHasNoEffect) {
    manager.activeScenes = {&title};
    title.onRender = [&] { manager.RequestSwitch(SCENE_TITLE, SCENE_PLAY); };
    Frame();
    Frame();
    EXPECT_EQ(Active(), (std::vector<CScene*>{&title}));
    EXPECT_EQ(std::count(log.begin(), log.end(), "Init Play"), 0);
}

TEST_F(SceneManagerTest, LaterWriterWinsWhenTwoScenesRequestInOneFrame) {
    manager.activeScenes = {&title, &pause};
    title.onUpdate = [&] { manager.RequestSwitch(SCENE_TITLE, SCENE_CLEAR); };
    pause.onUpdate = [&] { manager.RequestSwitch(SCENE_PAUSE, SCENE_PLAY); };
    manager.Update();
    EXPECT_EQ(Active(), (std::vector<CScene*>{&title, &play}));
    EXPECT_EQ(log, (Log{"Update Title", "Update Pause", "Init Play", "Exit Pause"}));
}

TEST_F(SceneManagerTest, SwitchToOwnIdRunsInitAndLeavesTheSceneInactive) {
    manager.activeScenes = {&play};
    play.leaving = true;
    play.onUpdate = [&] { manager.RequestSwitch(SCENE_PLAY, SCENE_PLAY); };
    manager.Update();
    EXPECT_EQ(log, (Log{"Update Play", "Init Play", "Exit Play"}));
    EXPECT_TRUE(manager.activeScenes.empty());
    EXPECT_FALSE(play.leaving);
}

TEST_F(SceneManagerTest, AddRemoveAndSwitchAreAllCarriedOutInThatOrder) {
    manager.activeScenes = {&title, &clear, &title};
    clear.onUpdate = [&] {
        manager.addRequested = true;
        manager.removeRequested = true;
        manager.addSceneId = SCENE_PAUSE;
        manager.removeSceneId = SCENE_TITLE;
        manager.switchRequested = true;
    };
    manager.Update();
    // Add Pause; remove every Title; switch: add Pause again, remove Title (none left).
    EXPECT_EQ(Active(), (std::vector<CScene*>{&clear, &pause, &pause}));
    EXPECT_EQ(log, (Log{"Update Title", "Update Clear", "Update Title", "Init Pause", "Exit Title",
                        "Init Pause", "Exit Title"}));
}

TEST_F(SceneManagerTest, AddOnlyAppendsAfterInitAndRemoveOnlyTakesEveryEntry) {
    manager.activeScenes = {&play, &clear, &play};
    clear.onUpdate = [&] {
        manager.removeRequested = true;
        manager.removeSceneId = SCENE_PLAY;
    };
    manager.Update();
    EXPECT_EQ(Active(), (std::vector<CScene*>{&clear}));

    clear.onUpdate = [&] {
        manager.addRequested = true;
        manager.addSceneId = SCENE_TITLE;
    };
    log.clear();
    manager.Update();
    EXPECT_EQ(Active(), (std::vector<CScene*>{&clear, &title}));
    EXPECT_EQ(log, (Log{"Update Clear", "Init Title"}));
}

TEST_F(SceneManagerTest, OutOfRangeIdsAreRejected) {
    manager.activeScenes = {&title};
    for (int bad : {-1, SCENE_COUNT, 1000}) {
        title.onUpdate = [&] {
            manager.addRequested = true;
            manager.addSceneId = bad;
            manager.removeRequested = true;
            manager.removeSceneId = bad;
        };
        manager.Update();
        EXPECT_EQ(Active(), (std::vector<CScene*>{&title})) << bad;

        // A switch with one unknown side is dropped whole: the requester stays active.
        title.onUpdate = [&] { manager.RequestSwitch(SCENE_TITLE, bad); };
        manager.Update();
        EXPECT_EQ(Active(), (std::vector<CScene*>{&title})) << bad;
        title.onUpdate = [&] { manager.RequestSwitch(bad, SCENE_PLAY); };
        manager.Update();
        EXPECT_EQ(Active(), (std::vector<CScene*>{&title})) << bad;
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "Exit Title"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Init Play"), 0);
}

}  // namespace
