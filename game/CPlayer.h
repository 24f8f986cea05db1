// The player's marker: its grid position, the step of each beat and its animation.
// LoadNextFloor places it on the start cell of every floor.
#pragma once

#include "game/Timer.h"

class CPlayer {
  public:
    // The one marker, built on the first call.
    static CPlayer* GetInstance() {
        static CPlayer instance;
        return &instance;
    }

    int x = 0;
    int y = 0;
    // Grid step of each beat (right, left, up, down); y grows downwards.
    int stepX[4] = {1, -1, 0, 0};
    int stepY[4] = {0, 0, -1, 1};
    // Slightly longer than the rhythm's cycle on purpose: the marker drifts against the beat.
    Timer animTimer{0.0f, 0.93f, false, false};
    int animFrames[2] = {0, 32};  // atlas x of the two marker frames
};
