// The D3DX 9 subset the game calls: the sprite and its device-loss notifications.
// Written from the public documentation.
#pragma once

#include "d3d9.h"

#define D3DXERR_INVALIDDATA MAKE_HRESULT(1, 0x876, 2905)

struct ID3DXSprite {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    // Drops the sprite's default-pool device objects before a device Reset.
    virtual HRESULT OnLostDevice() = 0;
    // Rebuilds them after the Reset.
    virtual HRESULT OnResetDevice() = 0;

  protected:
    ~ID3DXSprite() = default;
};
typedef ID3DXSprite* LPD3DXSPRITE;

HRESULT WINAPI D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite);
