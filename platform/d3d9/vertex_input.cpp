// Flexible vertex formats read field by field into screen-space vertices.
#include "d3d9/vertex_input.h"

#include <cstring>
#include <limits>

namespace platform::d3d9 {
namespace {

struct Layout {
    bool pretransformed = false;
    size_t size = 0;
    size_t diffuse = 0;  // offsets; 0 means absent (the position always comes first)
    size_t texture = 0;
};

Layout LayoutOf(DWORD fvf) {
    Layout layout;
    switch (fvf & D3DFVF_POSITION_MASK) {
        case D3DFVF_XYZ:
            layout.size = 12;
            break;
        case D3DFVF_XYZRHW:
            layout.size = 16;
            layout.pretransformed = true;
            break;
        default:
            return Layout{};
    }
    if (fvf & D3DFVF_NORMAL) {
        layout.size += 12;
    }
    if (fvf & D3DFVF_DIFFUSE) {
        layout.diffuse = layout.size;
        layout.size += 4;
    }
    if (fvf & D3DFVF_SPECULAR) {
        layout.size += 4;
    }
    DWORD sets = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (sets > 0) {
        layout.texture = layout.size;
        // Each set is two floats unless the format's size bits say otherwise.
        for (DWORD set = 0; set < sets && set < 8; ++set) {
            static constexpr size_t kSetBytes[4] = {8, 12, 16, 4};
            layout.size += kSetBytes[(fvf >> (16 + set * 2)) & 3];
        }
    }
    return layout;
}

float ReadFloat(const unsigned char* at) {
    float value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

uint32_t ReadWord(const unsigned char* at) {
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

}  // namespace

size_t VertexSize(DWORD fvf) {
    return LayoutOf(fvf).size;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX result;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[row][k] * b.m[k][column];
            }
            result.m[row][column] = sum;
        }
    }
    return result;
}

void ConvertVertices(DWORD fvf, const void* data, size_t stride, size_t count,
                     const VertexTransform& transform, std::vector<raster::ScreenVertex>& out) {
    const Layout layout = LayoutOf(fvf);
    out.resize(count);
    const auto* bytes = static_cast<const unsigned char*>(data);
    const D3DMATRIX& m = transform.worldViewProjection;
    const D3DVIEWPORT9& vp = transform.viewport;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* vertex = bytes + i * stride;
        raster::ScreenVertex& v = out[i];
        float x = ReadFloat(vertex);
        float y = ReadFloat(vertex + 4);
        float z = ReadFloat(vertex + 8);
        v.diffuse = layout.diffuse ? ReadWord(vertex + layout.diffuse) : 0xFFFFFFFFu;
        v.u = layout.texture ? ReadFloat(vertex + layout.texture) : 0.0f;
        v.v = layout.texture ? ReadFloat(vertex + layout.texture + 4) : 0.0f;
        if (layout.pretransformed) {
            v.x = x;
            v.y = y;
            v.z = z;
            v.rhw = ReadFloat(vertex + 12);
            continue;
        }
        if (transform.unlitBlack) {
            v.diffuse &= 0xFF000000u;
        }
        float cx = x * m._11 + y * m._21 + z * m._31 + m._41;
        float cy = x * m._12 + y * m._22 + z * m._32 + m._42;
        float cz = x * m._13 + y * m._23 + z * m._33 + m._43;
        float cw = x * m._14 + y * m._24 + z * m._34 + m._44;
        if (!(cw > 0.0f)) {
            v.x = v.y = std::numeric_limits<float>::quiet_NaN();
            v.z = 0.0f;
            v.rhw = 1.0f;
            continue;
        }
        float rhw = 1.0f / cw;
        v.x = static_cast<float>(vp.X) + (cx * rhw + 1.0f) * 0.5f * static_cast<float>(vp.Width);
        v.y = static_cast<float>(vp.Y) + (1.0f - cy * rhw) * 0.5f * static_cast<float>(vp.Height);
        v.z = vp.MinZ + cz * rhw * (vp.MaxZ - vp.MinZ);
        v.rhw = rhw;
    }
}

}  // namespace platform::d3d9
