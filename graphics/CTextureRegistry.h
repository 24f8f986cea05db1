// The texture registry: every CTexture of the run by name, with the size each render target was
// created with and which entries are render targets or files. Around a device reset it deletes
// the render targets (default pool) and builds them again; file textures stay.
#pragma once

#include <map>
#include <string>

#include "graphics/CResourceRegistry.h"
#include "graphics/CResourceTable.h"

class CTexture;

class CTextureRegistry : public CResourceRegistry<CTextureRegistry> {
  public:
    // The file texture of `name`, loaded on the first request; a failed load stays.
    CTexture* Load(std::string name);
    // The render target of `name`, created on the first request with this size; later requests
    // get the same object whatever size they ask for.
    CTexture* Create(int width, int height, std::string name);
    // The texture of `name`, or null when it is absent or released for a device reset.
    CTexture* Get(std::string name);

    // Render targets deleted and their entries nulled (already null ones skipped).
    void OnLostDevice();
    // Render targets built again with their first size.
    void OnResetDevice();

    CResourceTable<CTexture> textures;
    std::map<std::string, int> widths;  // the size given to Create; 0 for file textures
    std::map<std::string, int> heights;
    std::map<std::string, bool> renderTargets;
    std::map<std::string, bool> fromFile;

  private:
    friend class CResourceRegistry<CTextureRegistry>;
    CTextureRegistry();
    ~CTextureRegistry();
};
