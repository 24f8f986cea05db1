// Turning the program's vertices (any flexible vertex format with a position) into the
// rasteriser's screen-space vertices: pre-transformed positions are taken as pixels, the others
// go through world, view and projection and the viewport. Only the diffuse colour and the first
// texture coordinate set are kept; a missing colour reads opaque white.
#pragma once

#include <cstddef>
#include <vector>

#include "d3d9types.h"
#include "raster/raster_types.h"

namespace platform::d3d9 {

struct VertexTransform {
    D3DMATRIX worldViewProjection;
    D3DVIEWPORT9 viewport;
    // Lighting on and no lights: untransformed vertices come out black with their alpha.
    bool unlitBlack = false;
};

// Bytes of one vertex of that format; 0 when it has no position this layer reads.
size_t VertexSize(DWORD fvf);

// Converts `count` vertices of `stride` bytes each. Vertices behind the eye (w <= 0) get a
// non-finite position, so the triangles using them are skipped.
void ConvertVertices(DWORD fvf, const void* data, size_t stride, size_t count,
                     const VertexTransform& transform, std::vector<raster::ScreenVertex>& out);

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b);

}  // namespace platform::d3d9
