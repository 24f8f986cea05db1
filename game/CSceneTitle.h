// The Title scene, the first screen and the one a play returns to: the game's name, the record and
// a blinking "CLICK". A click starts a new play behind the long fade.
#pragma once

#include "frame/CScene.h"
#include "game/Timer.h"

class CSceneTitle : public CScene {
  public:
    // The one Title scene, built on the first call.
    static CSceneTitle* GetInstance();

    void Init() override;
    void Update() override;
    void Render() override;

    Timer blinkTimer{0.0f, 0.2325f, false, false};
    bool blinkOn = true;  // "CLICK" in white (true) or red

  private:
    CSceneTitle();

    // At the darkest point of the fade: the switch, a fresh play and the game music.
    void HandOver();
};
