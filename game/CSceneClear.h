// The Clear scene, the result screen after the final goal: "RESULT", the play's misses (blinking
// after a new record) and a blinking "CLICK". A click returns to the title behind the long fade.
#pragma once

#include "frame/CScene.h"
#include "game/Timer.h"

class CSceneClear : public CScene {
  public:
    // The one Clear scene, built on the first call.
    static CSceneClear* GetInstance();

    void Init() override;
    void Update() override;
    void Render() override;

    Timer recordBlinkTimer{0.0f, 0.465f, false, false};
    bool recordBlinkOn = true;  // the miss count shown
    Timer blinkTimer{0.0f, 0.2325f, false, false};
    bool blinkOn = true;  // "CLICK" in white (true) or red

  private:
    CSceneClear();
};
