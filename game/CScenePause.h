// The Pause scene, the pause screen, built but never entered by this game. For now it has only its
// id, its name and the base scene behaviour; its own update and drawing come with the screens.
#pragma once

#include "frame/CScene.h"

class CScenePause : public CScene {
  public:
    // The one Pause scene, built on the first call.
    static CScenePause* GetInstance();

  private:
    CScenePause();
};
