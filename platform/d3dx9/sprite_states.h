// The device states a D3DX sprite sets for its drawing, and the copy of the device's own values
// it keeps from Begin to End.
#pragma once

#include <vector>

#include "d3dx9.h"

namespace platform::d3dx9 {

// Sets the sprite's states: world and view identity, an orthographic projection mapping sprite
// coordinates to the pixels of the current viewport with the half-pixel correction (an unscaled
// sprite at integer coordinates maps texels one to one onto pixels; z passes through), alpha
// test GREATER 0, no culling, no lighting, stage 0 modulating texture and diffuse for colour and
// alpha, sampler 0 clamped with linear min, mag and mip filtering; SRCALPHA/INVSRCALPHA blending
// only with D3DXSPRITE_ALPHABLEND. Depth states are left alone.
void ApplySpriteStates(IDirect3DDevice9* device, DWORD flags);

class SavedSpriteStates {
  public:
    explicit SavedSpriteStates(IDirect3DDevice9* device) : device(device) {}
    ~SavedSpriteStates() { Drop(); }
    SavedSpriteStates(const SavedSpriteStates&) = delete;
    SavedSpriteStates& operator=(const SavedSpriteStates&) = delete;

    // Keeps the current values of every state ApplySpriteStates(flags) changes, the vertex
    // format and the texture of stage 0.
    void Save(DWORD flags);
    // Puts them back and forgets them.
    void Restore();
    // Forgets them (releasing the kept texture).
    void Drop();

  private:
    IDirect3DDevice9* device;
    std::vector<DWORD> renderValues;
    std::vector<D3DRENDERSTATETYPE> renderStates;
    DWORD stageValues[6] = {};
    DWORD samplerValues[5] = {};
    D3DMATRIX transforms[3] = {};
    DWORD fvf = 0;
    IDirect3DBaseTexture9* texture = nullptr;
    bool saved = false;
};

}  // namespace platform::d3dx9
