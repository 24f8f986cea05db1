// The scripted play of the reliability tests.
#include "support/ScriptedPlay.h"

#include "frame/CSceneManager.h"
#include "game/CFade.h"
#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayState.h"
#include "game/CPlayer.h"
#include "game/CSceneClear.h"
#include "game/CScenePlay.h"
#include "game/CSceneTitle.h"
#include "game/CStairs.h"
#include "support/PlayDriver.h"
#include "test_seam.h"

namespace {

CScene* ActiveScene() {
    auto& active = CSceneManager::GetInstance()->activeScenes;
    return active.size() == 1 ? active.front() : nullptr;
}

}  // namespace

bool ScriptedPlay::Frame() {
    if (beforeFrame) {
        beforeFrame(frames);
    }
    ++frames;
    return game.NextFrameTurn();
}

bool ScriptedPlay::FramesUntil(const std::function<bool()>& done, int limit) {
    for (int frame = 0; frame < limit; ++frame) {
        if (!Frame()) {
            return false;
        }
        if (done()) {
            return true;
        }
    }
    return false;
}

void ScriptedPlay::Press(int button) {
    platform::testing::InjectMouseButton(CGame::hWnd, button, true, 320, 240);
    platform::testing::InjectMouseButton(CGame::hWnd, button, false, 320, 240);
}

bool ScriptedPlay::ClickOnPhase(int phase) {
    for (int frame = 0; frame < 60 && PhaseOfNextUpdate() != phase; ++frame) {
        if (!Frame()) {
            return false;
        }
    }
    if (PhaseOfNextUpdate() != phase) {
        return false;
    }
    Press(VK_LBUTTON);
    return Frame();
}

bool ScriptedPlay::StepToward(int x, int y) {
    const int phase = FirstStepToward(x, y);
    return phase >= 0 && ClickOnPhase(phase);
}

bool ScriptedPlay::StartFromTheTitle() {
    if (!FramesUntil([] {
            return ActiveScene() == CSceneTitle::GetInstance() && longFade.state == FADE_IDLE;
        })) {
        return false;
    }
    Press(VK_LBUTTON);
    return FramesUntil([] { return ActiveScene() == CScenePlay::GetInstance(); }) &&
           FramesUntil([] { return longFade.state == FADE_IDLE; });
}

bool ScriptedPlay::DescendOneFloor(int floor) {
    CPlayState* play = CPlayState::GetInstance();
    CStairs* stairs = CStairs::GetInstance();
    if (floor % 3 == 2 && !ClickOnPhase(PhaseIntoWall())) {
        return false;
    }
    for (int steps = 0; !play->floorChangePending; ++steps) {
        if (steps > 200 || !StepToward(stairs->x, stairs->y)) {
            return false;
        }
    }
    return FramesUntil([floor] { return CFloorMap::GetInstance()->floorIndex != floor; }, 200);
}

bool ScriptedPlay::WalkOntoTheGoal() {
    CFloorMap* map = CFloorMap::GetInstance();
    if (map->floorIndex < FLOOR_COUNT - 1) {
        map->floorIndex = FLOOR_COUNT - 2;
        LoadNextFloor(map);
    }
    CFinalGoal* goal = CFinalGoal::GetInstance();
    for (int steps = 0; !CPlayState::GetInstance()->finished; ++steps) {
        if (steps > 200 || !StepToward(goal->x, goal->y)) {
            return false;
        }
    }
    return true;
}

bool ScriptedPlay::BackToTheTitle() {
    if (!FramesUntil([] {
            return ActiveScene() == CSceneClear::GetInstance() && longFade.state == FADE_IDLE;
        })) {
        return false;
    }
    Press(VK_LBUTTON);
    return FramesUntil([] { return ActiveScene() == CSceneTitle::GetInstance(); });
}

bool ScriptedPlay::WalkFloors(int floorsWalked) {
    if (!StartFromTheTitle()) {
        return false;
    }
    for (int floor = 0; floor < floorsWalked && floor < FLOOR_COUNT - 1; ++floor) {
        if (!DescendOneFloor(floor)) {
            return false;
        }
    }
    return true;
}

bool ScriptedPlay::PlayOnce(int floorsWalked) {
    return WalkFloors(floorsWalked) && WalkOntoTheGoal() && BackToTheTitle();
}

PlayOutcome ScriptedPlay::Outcome() {
    const CPlayState* play = CPlayState::GetInstance();
    return {play->misses,
            CFloorMap::GetInstance()->floorIndex,
            play->record,
            CPlayer::GetInstance()->x,
            CPlayer::GetInstance()->y,
            play->finished};
}
