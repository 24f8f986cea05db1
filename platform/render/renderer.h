// What turns the device's recorded work into pixels: draws, clears, the reads that must see
// them, and showing the back buffer. The device keeps what Direct3D 9 promises (states,
// resources and their pools, loss, validation, results) and hands the work here; each renderer
// (the software rasteriser, the reference; a graphics card's) draws it its own way. Surfaces
// and textures are the layer's own copies in memory: a renderer that keeps pixels elsewhere
// brings them back before Finish returns and refreshes its copy when told that one changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "raster/draw_state.h"
#include "raster/rasterizer.h"
#include "raster/surface.h"
#include "raster/texture.h"

namespace platform::render {

// One Clear call of the device, its flags already checked.
struct ClearRequest {
    raster::ColorSurface* target = nullptr;  // null: colour kept
    uint32_t color = 0;
    raster::DepthStencilSurface* depthStencil = nullptr;  // null: depth and stencil kept
    bool clearDepth = false;
    float z = 1.0f;
    bool clearStencil = false;
    uint8_t stencil = 0;
    std::vector<raster::Rect> rects;  // none: the whole clip rectangle
    raster::Rect clip;                // the viewport
    // No rectangles and the viewport covering the target and the depth stencil whole.
    bool wholeSurfaces = false;
};

// Where a presented frame goes: the window (its backend id) and whether it is letterboxed.
struct PresentTarget {
    uint32_t window = 0;
    bool keepAspect = false;
};

class Renderer {
  public:
    virtual ~Renderer() = default;

    // The name the layer's start line prints: "software" or "gl".
    virtual const char* Name() const = 0;

    // A draw with screen-space vertices; it reaches its target before anything reads it.
    virtual void Draw(const raster::DrawState& state, raster::PrimitiveType type,
                      std::span<const raster::ScreenVertex> vertices, size_t primitives) = 0;

    // A clear, ordered after the draws before it.
    virtual void Clear(const ClearRequest& request) = 0;

    // Every draw and clear so far is in the layer's copies of the surfaces (before LockRect,
    // a read-back, or a resource being freed).
    virtual void Finish() = 0;

    // The program wrote the pixels of `surface` (a texture level or a surface) in memory.
    virtual void Changed(const raster::ColorSurface& surface) = 0;

    // `surface` is about to be freed: the renderer drops what it keeps for it.
    virtual void Forget(const raster::ColorSurface& surface) = 0;
    virtual void Forget(const raster::DepthStencilSurface& surface) = 0;

    // Shows `shown` (the back buffer) as drawn so far.
    virtual void Present(const raster::ColorSurface& shown, const PresentTarget& target) = 0;
};

}  // namespace platform::render
