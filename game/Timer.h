// The game's timer: advanced by a fixed step once per frame, never by the clock, so a slow
// machine plays slower rather than skipping.
#pragma once

// The float nearest to 1/60 s.
constexpr float TIME_STEP = 1.0f / 60.0f;

struct Timer {
    float time = 0.0f;
    float period = 0.0f;
    bool expired = false;
    bool wrapped = false;

    // One-shot: stops at `period`; `expired` reads true in every call once it has run out.
    void AdvanceOnce();
    // Looping: `wrapped` is true only in the call in which the end was passed.
    void AdvanceLoop();
};
