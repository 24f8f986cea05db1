// The concrete game on the frame: its set-up, per-frame update and drawing.
#pragma once

#include "frame/CGame.h"

class CSampleGame : public CGame {
  public:
    explicit CSampleGame(HINSTANCE instance);
    ~CSampleGame() override;
    void Init() override;
    void Update(float deltaTime) override;
    void Render(float deltaTime) override;
};
