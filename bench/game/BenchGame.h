// The real game for benchmarks and measurements: CSampleGame headless in a scratch run folder
// on the assets the build generated, driven through its own main loop, and brought into each
// screen whose frame is measured. The worst case holds the shake and both fades running.
#pragma once

#include "support/PlayDriver.h"
#include "support/TestGame.h"

class CScene;

class BenchGame {
  public:
    // `pulledAudio`: the mix is pulled by the caller (frame figures, the game thread alone);
    // otherwise the layer's silent output plays it in real time, as with no sound card.
    explicit BenchGame(bool pulledAudio);

    // False when the game did not start (no assets, no device).
    bool Started() const { return started; }

    // One frame on the virtual clock (update, render, present).
    bool Frame();
    // From here on the performance counter is the real clock again.
    static void UseRealClock();

    void EnterTitle();
    void EnterPlay();
    void EnterPause();
    void EnterClear();
    // Keeps the shake and both fades half way for every following frame (or stops holding).
    void HoldWorstCase(bool hold);

    // A click (left button), seen by the next frame.
    static void Click();
    static CScene* ActiveScene();

    ScratchRunFolder folder{"bench"};
    TestGame game;

  private:
    void FramesUntil(bool (*done)(), int limit = 1200);

    bool started = false;
    bool holdingWorstCase = false;
};
