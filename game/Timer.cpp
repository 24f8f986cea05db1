// Advancing the timer. The step is added in double precision and stored back as float, and
// both comparisons are strict: a time equal to the period has not run out.
#include "game/Timer.h"

namespace {

float AddStep(float time) {
    return static_cast<float>(static_cast<double>(time) + static_cast<double>(TIME_STEP));
}

}  // namespace

void Timer::AdvanceOnce() {
    expired = false;
    time = AddStep(time);
    if (time > period) {
        expired = true;
        time = period;
    }
}

void Timer::AdvanceLoop() {
    wrapped = false;
    time = AddStep(time);
    // A period of zero or less would never let the loop end; such a timer just keeps wrapping.
    if (period <= 0.0f) {
        wrapped = time > period;
        time = 0.0f;
        return;
    }
    while (time > period) {
        wrapped = true;
        time -= period;
    }
}
