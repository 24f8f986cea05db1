// Clearing colour and depth-stencil surfaces. Each clear fills the given rectangles cut to the
// clip rectangle (the device passes its viewport) and to the surface; with no rectangles it
// fills the whole clip rectangle.
#pragma once

#include <cstdint>
#include <span>

#include "raster/surface.h"

namespace platform::raster {

// An X8R8G8B8 surface stores the colour with alpha 0xFF.
void ClearColor(ColorSurface& surface, uint32_t argb, std::span<const Rect> rects,
                const Rect& clip);

// Sets the depth (z clamped to [0, 1]), the stencil, or both, keeping the other part.
void ClearDepthStencil(DepthStencilSurface& surface, bool clearDepth, float z, bool clearStencil,
                       uint8_t stencil, std::span<const Rect> rects, const Rect& clip);

// The rectangle shared by both (empty rectangles have right <= left or bottom <= top).
Rect Intersect(const Rect& a, const Rect& b);

}  // namespace platform::raster
