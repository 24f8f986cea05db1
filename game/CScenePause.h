// The Pause scene: shows the play field without running the play and returns to the play scene
// on the resume key, without a fade. Nothing in this game enters it; it completes the scene table.
#pragma once

#include "frame/CScene.h"

class CScenePause : public CScene {
  public:
    // The one Pause scene, built on the first call.
    static CScenePause* GetInstance();

    void Update() override;
    void Render() override;

  private:
    CScenePause();
};
