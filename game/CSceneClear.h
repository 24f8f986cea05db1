// The Clear scene, the result screen after the last floor. For now it has only its id, its name and
// the base scene behaviour; its own update and drawing come with the screens.
#pragma once

#include "frame/CScene.h"

class CSceneClear : public CScene {
  public:
    // The one Clear scene, built on the first call.
    static CSceneClear* GetInstance();

  private:
    CSceneClear();
};
