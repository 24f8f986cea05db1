// The rules, run once per frame by the play scene.
#include "game/PlayRules.h"

#include <cstdlib>

#include "game/CFade.h"
#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayState.h"
#include "game/CPlayer.h"
#include "game/CRhythm.h"
#include "game/CStairs.h"
#include "input/KeyBindings.h"
#include "sound/CSound.h"

namespace {

// Every rule sound starts again from its beginning.
void RestartSound(const char* name) {
    if (CSound* sound = CSound::Get(name)) {
        sound->PlayFromStart();
    }
}

// A random offset in [-16, 16) pixels.
float ShakeComponent() {
    return static_cast<float>((std::rand() % 32767 / 32767.0 - 0.5) * 32.0);
}

void UpdateShake(CPlayState* play) {
    play->shakeTimer.AdvanceOnce();
    if (play->shakeTimer.expired) {
        play->shakeOffset = D3DXVECTOR2(0.0f, 0.0f);
        return;
    }
    play->shakeOffset.y = ShakeComponent();
    play->shakeOffset.x = ShakeComponent();
}

void UpdateFloorChange(CPlayState* play) {
    if (play->floorChangePending) {
        if (shortFade.state == FADE_IDLE) {
            shortFade.StartFade();
        } else if (shortFade.state == FADE_COVERED) {
            LoadNextFloor(CFloorMap::GetInstance());
            play->floorChangePending = false;
        }
    } else if (play->goalReached && !play->finished) {
        play->finished = true;
        play->goalReached = false;
    }
}

void StepInto(char cell, int phase, CPlayer* player, int tx, int ty) {
    CPlayState* play = CPlayState::GetInstance();
    switch (cell) {
        case CELL_FLOOR:
            MovePlayer(phase, player, tx, ty);
            break;
        case CELL_WALL:
            play->misses += 1;
            play->shakeTimer.time = 0.0f;
            RestartSound("Rhythm03");
            break;
        case CELL_STAIRS:
            CStairs::GetInstance()->reached = true;
            play->floorChangePending = true;
            MovePlayer(phase, player, tx, ty);
            break;
        case CELL_FINAL_GOAL:
            ReachFinalGoal();
            RestartSound("Rhythm04");
            break;
        default:
            break;
    }
}

}  // namespace

void ResetPlay() {
    CPlayState* play = CPlayState::GetInstance();
    play->shakeTimer.time = play->shakeTimer.period;
    play->finished = false;
    play->floorChangePending = false;
    play->goalReached = false;
    play->shakeOffset = D3DXVECTOR2(0.0f, 0.0f);
    play->misses = 0;
    CRhythm* rhythm = CRhythm::GetInstance();
    rhythm->cycleTimer.time = 0.0f;
    rhythm->phase = 0;
    CFloorMap* floorMap = CFloorMap::GetInstance();
    floorMap->floorIndex = -1;
    LoadNextFloor(floorMap);
    play->newRecord = false;
}

void UpdatePlay() {
    CPlayState* play = CPlayState::GetInstance();
    UpdateRhythm();
    UpdatePlayer();
    CFinalGoal* goal = CFinalGoal::GetInstance();
    if (goal->opening) {
        goal->openTimer.AdvanceOnce();
    }
    UpdateFloorChange(play);
    UpdateShake(play);
}

void UpdateRhythm() {
    CRhythm* rhythm = CRhythm::GetInstance();
    rhythm->cycleTimer.AdvanceLoop();
    float t = rhythm->cycleTimer.time;
    if (t >= rhythm->beatStart[3]) {
        rhythm->phase = 3;
    } else if (t >= rhythm->beatStart[2]) {
        rhythm->phase = 2;
    } else if (t >= rhythm->beatStart[1]) {
        rhythm->phase = 1;
    } else {
        rhythm->phase = 0;
    }
}

void UpdatePlayer() {
    CPlayer* player = CPlayer::GetInstance();
    if (IsActionPressed(ACTION_DECIDE)) {
        int phase = CRhythm::GetInstance()->phase;
        int tx = player->x + player->stepX[phase];
        int ty = player->y + player->stepY[phase];
        StepInto(CFloorMap::GetInstance()->CellAt(tx, ty), phase, player, tx, ty);
    }
    player->animTimer.AdvanceLoop();
}

void MovePlayer(int phase, CPlayer* player, int x, int y) {
    player->x = x;
    player->y = y;
    RestartSound(phase == 0 || phase == 2 ? "Rhythm02" : "Rhythm01");
}

void ReachFinalGoal() {
    CPlayState* play = CPlayState::GetInstance();
    CFinalGoal::GetInstance()->opening = true;
    play->goalReached = true;
    if (play->misses < play->record) {
        play->newRecord = true;
        play->record = play->misses;
        play->SaveMissRecord();
    }
}
