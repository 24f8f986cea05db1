// One depth-stencil surface of the game (D24S8, default pool), owned by the depth-stencil
// registry under its name and rebuilt by it around each device reset. A failed creation is
// shown in a message box and leaves `surface` null.
#pragma once

#include <string>

#include "d3d9.h"
#include "graphics/CDepthStencilRegistry.h"
#include "graphics/CNamedResource.h"

class CDepthStencil : public CNamedResource<CDepthStencil, CDepthStencilRegistry> {
  public:
    CDepthStencil(int width, int height);
    ~CDepthStencil();
    CDepthStencil(const CDepthStencil&) = delete;
    CDepthStencil& operator=(const CDepthStencil&) = delete;

    static void OnLostDevice() { CDepthStencilRegistry::GetInstance()->OnLostDevice(); }
    static void OnResetDevice() { CDepthStencilRegistry::GetInstance()->OnResetDevice(); }

    IDirect3DSurface9* surface = nullptr;  // owned; null when creation failed
    int width = 0;
    int height = 0;
};
