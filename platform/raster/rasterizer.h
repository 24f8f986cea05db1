// The rasteriser's drawing entry points: triangle lists, strips and fans of screen-space
// vertices, plain or indexed, drawn into the DrawState's target with Direct3D 9 semantics
// (pixel centres at integer coordinates, top-left fill rule, texel centres at
// (i + 0.5) / size). Strips alternate their winding so every triangle keeps the first one's.
// Triangles with a non-finite coordinate are skipped; ones reaching far off screen are clipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "raster/draw_state.h"
#include "raster/raster_types.h"

namespace platform::raster {

// Triangle topologies (D3DPRIMITIVETYPE values). Points and lines are not drawn.
enum class PrimitiveType : uint32_t { TriangleList = 4, TriangleStrip = 5, TriangleFan = 6 };

// Vertices needed for that many primitives (0 for unknown types).
size_t VertexCount(PrimitiveType type, size_t primitiveCount);

// Draws primitiveCount triangles; draws nothing when the vertices are too few.
void DrawPrimitive(const DrawState& state, PrimitiveType type,
                   std::span<const ScreenVertex> vertices, size_t primitiveCount);

// The same through an index list; triangles with an index past the vertices are skipped.
void DrawIndexedPrimitive(const DrawState& state, PrimitiveType type,
                          std::span<const ScreenVertex> vertices, std::span<const uint32_t> indices,
                          size_t primitiveCount);

}  // namespace platform::raster
