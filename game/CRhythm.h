// The rhythm clock: a cycle of four beats, each standing for one direction of the step.
#pragma once

#include "game/Timer.h"

constexpr float BEAT_LENGTH = 0.2323125f;

class CRhythm {
  public:
    // The one rhythm clock, built on the first call.
    static CRhythm* GetInstance() {
        static CRhythm instance;
        return &instance;
    }

    float beatStart[4] = {0.0f * BEAT_LENGTH, BEAT_LENGTH, 2.0f * BEAT_LENGTH, 3.0f * BEAT_LENGTH};
    Timer cycleTimer{0.0f, 4.0f * BEAT_LENGTH, false, false};
    int phase = 0;  // the beat now running: 0 right, 1 left, 2 up, 3 down
};
