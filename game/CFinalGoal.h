// The final goal of the last floor and its opening animation. On the other floors it is parked
// outside the grid.
#pragma once

#include "game/Timer.h"

class CFinalGoal {
  public:
    // The one final goal, built on the first call.
    static CFinalGoal* GetInstance() {
        static CFinalGoal instance;
        return &instance;
    }

    int x = 0;
    int y = 0;
    bool opening = false;
    Timer openTimer{0.0f, 0.465f, false, false};
    int openFrames[4] = {0, 32, 64, 96};  // atlas x of the opening frames
};
