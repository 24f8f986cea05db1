// The animated background behind every screen: eight layers of one texture, each turning at its
// own speed, added together (ONE, ONE) in a colour that blends slowly through six dark tones.
#pragma once

#include "d3dx9math.h"
#include "game/Timer.h"

constexpr int BACKGROUND_COLOR_COUNT = 6;
constexpr int BACKGROUND_LAYER_COUNT = 8;

class CBackground {
  public:
    // The one background, built on the first call.
    static CBackground* GetInstance();

    // Starts at a random colour, part way into its first blend.
    CBackground();

    // Once per frame: the colour of this frame, then the colour clock and the layers turn on.
    void UpdateBackground();
    // The eight layers with additive blending; the frame's blend states are put back after.
    void DrawBackground();
    // New random start angles for the eight layers.
    void ShuffleBackgroundAngles();

    D3DXCOLOR colors[BACKGROUND_COLOR_COUNT];
    int colorIndex = 0;  // the colour being blended away from
    Timer colorTimer{0.0f, 2.0f, false, false};
    D3DXCOLOR currentColor{0.0f, 0.0f, 0.0f, 0.0f};
    float angles[BACKGROUND_LAYER_COUNT] = {};  // degrees, never wrapped
};
