// One Direct3D texture of the game, owned by the texture registry under its name: an image file
// loaded through D3DX (managed pool, survives device resets), or an empty render target of a
// given size (default pool, rebuilt by the registry around each reset).
// A file that failed to load leaves `texture` null and all four sizes 0; drawing with such a
// texture draws its quads untextured, that is white modulated by the colour.
#pragma once

#include <string>

#include "d3d9.h"
#include "graphics/CNamedResource.h"
#include "graphics/CTextureRegistry.h"

class CTexture : public CNamedResource<CTexture, CTextureRegistry> {
  public:
    // Loads directory + name + extension; a failure is shown in a message box.
    explicit CTexture(std::string name);
    // An empty render target of that size; a failure is not reported.
    CTexture(std::string name, int width, int height);
    ~CTexture();
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    static void OnLostDevice() { CTextureRegistry::GetInstance()->OnLostDevice(); }
    static void OnResetDevice() { CTextureRegistry::GetInstance()->OnResetDevice(); }

    IDirect3DTexture9* texture = nullptr;  // owned; null when creation failed
    std::string name;
    int width = 0;  // level 0 of the created texture
    int height = 0;
    int imageWidth = 0;  // the file's own size; the target's size for render targets
    int imageHeight = 0;
    RECT rect = {0, 0, 0, 0};  // the whole texture
};
