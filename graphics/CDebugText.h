// The debug text: a CFont of a fixed system face and size, built once and kept until exit.
// It is not in the font registry; nothing in this game draws with it.
#pragma once

#include "graphics/CFont.h"

class CDebugText : public CFont {
  public:
    // The one debug text, made on the first call on SharedContext's device.
    static CDebugText* GetInstance();

    ~CDebugText() override;

  private:
    CDebugText();
};
