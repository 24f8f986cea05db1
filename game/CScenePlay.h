// The Play scene: runs the rules every frame, keeps the game music going, and leaves behind the
// long fade for the clear scene when the play is finished or for the title on a quit press. It
// draws the play field through RenderPlay.
#pragma once

#include "frame/CScene.h"

class CScenePlay : public CScene {
  public:
    // The one Play scene, built on the first call.
    static CScenePlay* GetInstance();

    void Init() override;
    void Update() override;
    void Render() override;

    bool toTitle = false;  // where the scene leaves for: the title (true) or the clear scene

  private:
    CScenePlay();

    // At the darkest point of the fade: the switch and the change of music.
    void HandOver();
};
