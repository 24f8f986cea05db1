// The depth-stencil registry: every CDepthStencil of the run by name with the size it was
// created with. Depth stencils live in the default pool, so every one is deleted before a
// device reset and built again with its first size after it.
#pragma once

#include <map>
#include <string>

#include "graphics/CResourceRegistry.h"
#include "graphics/CResourceTable.h"

class CDepthStencil;

class CDepthStencilRegistry : public CResourceRegistry<CDepthStencilRegistry> {
  public:
    // The depth stencil of `name`, created on the first request with this size.
    CDepthStencil* Create(int width, int height, std::string name);
    // The depth stencil of `name`, or null when it is absent or released for a device reset.
    CDepthStencil* Get(std::string name);

    // Every entry deleted and nulled (already null ones skipped).
    void OnLostDevice();
    // Every released entry built again with its first size.
    void OnResetDevice();

    CResourceTable<CDepthStencil> depthStencils;
    std::map<std::string, int> widths;
    std::map<std::string, int> heights;

  private:
    friend class CResourceRegistry<CDepthStencilRegistry>;
    CDepthStencilRegistry();
    ~CDepthStencilRegistry();
};
