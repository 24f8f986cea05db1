// A screen fade: a full-screen black overlay that darkens, stays black and clears again. Its
// state tells scenes and rules when the screen is fully black, the moment to swap what is
// behind it. The long fade hides scene switches, the short one floor changes.
#pragma once

#include "d3d9.h"
#include "d3dx9math.h"
#include "game/Timer.h"

enum FadeState : int {
    FADE_IN = 0,       // darkening
    FADE_COVERED = 1,  // fully black
    FADE_OUT = 2,      // clearing
    FADE_IDLE = 3,     // transparent, run out
};

struct FadeVertex {
    float x, y, z;
    D3DCOLOR color;
};
static_assert(sizeof(FadeVertex) == 16, "XYZ | DIFFUSE vertices are 16 bytes");

class CFade {
  public:
    explicit CFade(float period);

    // Begins a cycle from transparent, whatever the state.
    void StartFade();
    // Once per frame: the state and overlay from the time so far, then the time advances.
    void UpdateFade();
    // Once per frame, under the frame's alpha blending: the overlay over the whole viewport.
    void DrawFade();
    // Puts the fade into its idle, invisible state.
    void SetIdle();

    FadeVertex vertices[4];
    int state = FADE_IN;
    D3DXCOLOR color{0.0f, 0.0f, 0.0f, 0.0f};
    Timer fadeTimer;
};

extern CFade longFade;   // 2.0 s: every scene switch
extern CFade shortFade;  // 0.5 s: floor changes
