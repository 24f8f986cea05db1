// The Title scene, the title screen: the game's name, the record and a blinking prompt. For now it
// has only its id, its name and the base scene behaviour; its own update and drawing come with the
// screens.
#pragma once

#include "frame/CScene.h"

class CSceneTitle : public CScene {
  public:
    // The one Title scene, built on the first call.
    static CSceneTitle* GetInstance();

  private:
    CSceneTitle();
};
