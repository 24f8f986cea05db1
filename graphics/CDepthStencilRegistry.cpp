// The depth-stencil registry's tables and its part in the device-loss protocol.
#include "graphics/CDepthStencilRegistry.h"

#include "graphics/CDepthStencil.h"

CDepthStencilRegistry::CDepthStencilRegistry() = default;

CDepthStencilRegistry::~CDepthStencilRegistry() {
    depthStencils.DeleteAll();
}

CDepthStencil* CDepthStencilRegistry::Create(int width, int height, std::string name) {
    return depthStencils.FindOrAdd(
        name, [&] { return new CDepthStencil(width, height); },
        [&] {
            widths[name] = width;
            heights[name] = height;
        });
}

CDepthStencil* CDepthStencilRegistry::Get(std::string name) {
    return depthStencils.Get(name);
}

void CDepthStencilRegistry::OnLostDevice() {
    for (auto& [name, depthStencil] : depthStencils.entries) {
        if (depthStencil) {
            CDepthStencil* doomed = depthStencil;
            depthStencil = nullptr;
            delete doomed;
        }
    }
}

void CDepthStencilRegistry::OnResetDevice() {
    for (auto& [name, depthStencil] : depthStencils.entries) {
        // A restore without a release keeps the live object rather than leak it.
        if (!depthStencil) {
            depthStencil = new CDepthStencil(widths[name], heights[name]);
        }
    }
}
