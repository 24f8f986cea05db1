// Cuts triangles that reach beyond the guard band down to it, so edge set-up stays within its
// fixed-point range. Attributes are interpolated the way the screen interpolates them (colour
// and texture coordinates through rhw), so the visible part draws as the whole triangle would.
#pragma once

#include "raster/raster_types.h"

namespace platform::raster {

constexpr int kMaxClippedVertices = 7;

// Writes the clipped polygon (same winding as the triangle) to out and returns its vertex
// count: 0 when nothing is left, otherwise 3 or more.
int ClipToGuardBand(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                    ScreenVertex out[kMaxClippedVertices]);

}  // namespace platform::raster
