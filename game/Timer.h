// The game's timer record. Game time advances by a fixed step per frame, never from the clock;
// the advance operations come with the rhythm and movement rules.
#pragma once

struct Timer {
    float time = 0.0f;    // seconds
    float period = 0.0f;  // seconds
    bool expired = false;
    bool wrapped = false;
};
