// Topology decoding, vertex checks and guard-band clipping in front of the triangle renderer.
#include "raster/rasterizer.h"

#include <cmath>

#include "raster/guard_band_clipper.h"
#include "raster/triangle_renderer.h"

namespace platform::raster {

namespace {

bool Finite(const ScreenVertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::isfinite(v.rhw) &&
           std::isfinite(v.u) && std::isfinite(v.v);
}

void DrawChecked(TriangleRenderer& renderer, const ScreenVertex& a, const ScreenVertex& b,
                 const ScreenVertex& c) {
    if (!Finite(a) || !Finite(b) || !Finite(c)) {
        return;
    }
    if (InsideGuardBand(a) && InsideGuardBand(b) && InsideGuardBand(c)) {
        renderer.Draw(a, b, c);
        return;
    }
    ScreenVertex polygon[kMaxClippedVertices];
    const int count = ClipToGuardBand(a, b, c, polygon);
    for (int i = 1; i + 1 < count; ++i) {
        renderer.Draw(polygon[0], polygon[i], polygon[i + 1]);
    }
}

// Calls draw(i0, i1, i2) with the vertex positions of each triangle.
template <typename Draw>
void ForEachTriangle(PrimitiveType type, size_t primitiveCount, Draw draw) {
    for (size_t i = 0; i < primitiveCount; ++i) {
        switch (type) {
            case PrimitiveType::TriangleList:
                draw(3 * i, 3 * i + 1, 3 * i + 2);
                break;
            case PrimitiveType::TriangleStrip:
                // Odd triangles swap their first two vertices to keep the winding.
                if (i % 2 == 0) {
                    draw(i, i + 1, i + 2);
                } else {
                    draw(i + 1, i, i + 2);
                }
                break;
            case PrimitiveType::TriangleFan:
                draw(0, i + 1, i + 2);
                break;
        }
    }
}

}  // namespace

size_t VertexCount(PrimitiveType type, size_t primitiveCount) {
    if (primitiveCount == 0) {
        return 0;
    }
    switch (type) {
        case PrimitiveType::TriangleList:
            return 3 * primitiveCount;
        case PrimitiveType::TriangleStrip:
        case PrimitiveType::TriangleFan:
            return primitiveCount + 2;
    }
    return 0;
}

void DrawPrimitive(const DrawState& state, PrimitiveType type,
                   std::span<const ScreenVertex> vertices, size_t primitiveCount) {
    const size_t needed = VertexCount(type, primitiveCount);
    if (needed == 0 || needed > vertices.size()) {
        return;
    }
    TriangleRenderer renderer(state);
    if (!renderer.active()) {
        return;
    }
    ForEachTriangle(type, primitiveCount, [&](size_t a, size_t b, size_t c) {
        DrawChecked(renderer, vertices[a], vertices[b], vertices[c]);
    });
}

void DrawIndexedPrimitive(const DrawState& state, PrimitiveType type,
                          std::span<const ScreenVertex> vertices, std::span<const uint32_t> indices,
                          size_t primitiveCount) {
    const size_t needed = VertexCount(type, primitiveCount);
    if (needed == 0 || needed > indices.size()) {
        return;
    }
    TriangleRenderer renderer(state);
    if (!renderer.active()) {
        return;
    }
    ForEachTriangle(type, primitiveCount, [&](size_t a, size_t b, size_t c) {
        const uint32_t ia = indices[a], ib = indices[b], ic = indices[c];
        if (ia < vertices.size() && ib < vertices.size() && ic < vertices.size()) {
            DrawChecked(renderer, vertices[ia], vertices[ib], vertices[ic]);
        }
    });
}

}  // namespace platform::raster
