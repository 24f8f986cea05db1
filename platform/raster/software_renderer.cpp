// The software renderer: queued draws, clears in memory, and the back buffer handed to the
// backend to show.
#include "raster/software_renderer.h"

#include "raster/clear.h"

namespace platform::raster {

void SoftwareRenderer::Draw(const DrawState& state, PrimitiveType type,
                            std::span<const ScreenVertex> vertices, size_t primitives) {
    pending.Add(state, type, vertices, primitives);
}

void SoftwareRenderer::Clear(const render::ClearRequest& request) {
    pending.BeforeClear(request.target, request.depthStencil, request.clearDepth,
                        request.wholeSurfaces);
    if (request.target) {
        ClearColor(*request.target, request.color, request.rects, request.clip);
    }
    if (request.depthStencil) {
        ClearDepthStencil(*request.depthStencil, request.clearDepth, request.z,
                          request.clearStencil, request.stencil, request.rects, request.clip);
    }
}

void SoftwareRenderer::Present(const ColorSurface& shown, const render::PresentTarget& target) {
    pending.BeforePresent(&shown);
    if (show) {
        show(shown, target);
    }
}

}  // namespace platform::raster
