// The Play scene, the play: the floor, the marker and the HUD. For now it has only its id, its name
// and the base scene behaviour; its own update and drawing come with the screens.
#pragma once

#include "frame/CScene.h"

class CScenePlay : public CScene {
  public:
    // The one Play scene, built on the first call.
    static CScenePlay* GetInstance();

  private:
    CScenePlay();
};
