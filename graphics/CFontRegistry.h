// The font registry: every CFont of the run by name, and a D3DX sprite of its own that the
// frame brackets the scene drawing with. The game requests no font by name, so the table stays
// empty; the sprite still takes part in the device-loss protocol.
#pragma once

#include <string>

#include "d3dx9.h"
#include "graphics/CResourceRegistry.h"
#include "graphics/CResourceTable.h"

class CFont;

class CFontRegistry : public CResourceRegistry<CFontRegistry> {
  public:
    // The font of `name`, or null; nothing ever adds one in this game.
    CFont* Get(std::string name) { return fonts.Get(name); }

    // Every font's OnLostDevice in name order, then the sprite's.
    void OnLostDevice();
    // Every font's OnResetDevice in name order, then the sprite's.
    void OnResetDevice();

    // Null when it could not be made: the frame then draws the scenes without its bracket.
    ID3DXSprite* sprite = nullptr;
    CResourceTable<CFont> fonts;

  private:
    friend class CResourceRegistry<CFontRegistry>;
    CFontRegistry();
    ~CFontRegistry();
};
