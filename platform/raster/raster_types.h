// Plain value types of the software rasteriser: its formats, its state enums and the
// screen-space vertex it draws. The enums carry the numeric values of the matching Direct3D 9
// constants, so the device passes its state through with a cast; values outside the listed ones
// are treated as documented at each enum.
#pragma once

#include <cstdint>

namespace platform::raster {

// Pixel formats (D3DFORMAT values). Colour surfaces are 32-bit ARGB with A in the top byte;
// X8R8G8B8 reads its alpha as 255 and stores 0xFF there.
enum class ColorFormat : uint32_t { A8R8G8B8 = 21, X8R8G8B8 = 22 };

// Blend factors (D3DBLEND). Unknown values blend as ZERO.
enum class Blend : uint32_t {
    Zero = 1,
    One = 2,
    SrcColor = 3,
    InvSrcColor = 4,
    SrcAlpha = 5,
    InvSrcAlpha = 6,
    DestAlpha = 7,
    InvDestAlpha = 8,
    DestColor = 9,
    InvDestColor = 10,
    SrcAlphaSat = 11,
};

// Blend operations (D3DBLENDOP). Unknown values add.
enum class BlendOp : uint32_t { Add = 1, Subtract = 2, RevSubtract = 3, Min = 4, Max = 5 };

// Comparison functions (D3DCMPFUNC), used by the alpha and depth tests. Unknown values pass.
enum class CmpFunc : uint32_t {
    Never = 1,
    Less = 2,
    Equal = 3,
    LessEqual = 4,
    Greater = 5,
    NotEqual = 6,
    GreaterEqual = 7,
    Always = 8,
};

// Cull modes (D3DCULL). CCW drops triangles whose vertices run counter-clockwise on screen
// (y pointing down), CW the clockwise ones. Unknown values cull nothing.
enum class Cull : uint32_t { None = 1, CW = 2, CCW = 3 };

// Texture stage operations (D3DTEXTUREOP). Unknown values behave as Disable.
enum class TextureOp : uint32_t {
    Disable = 1,
    SelectArg1 = 2,
    SelectArg2 = 3,
    Modulate = 4,
    Modulate2x = 5,
    Modulate4x = 6,
    Add = 7,
    AddSigned = 8,
    Subtract = 10,
};

// Texture stage arguments (D3DTA_*), including the two modifier bits. At stage 0 Current is
// the diffuse colour. Specular and Temp read as zero, unknown selectors as diffuse.
namespace TextureArg {
constexpr uint32_t Diffuse = 0;
constexpr uint32_t Current = 1;
constexpr uint32_t Texture = 2;
constexpr uint32_t TFactor = 3;
constexpr uint32_t Specular = 4;
constexpr uint32_t Temp = 5;
constexpr uint32_t SelectMask = 0x0F;
constexpr uint32_t Complement = 0x10;
constexpr uint32_t AlphaReplicate = 0x20;
}  // namespace TextureArg

// Texture addressing (D3DTEXTUREADDRESS). MirrorOnce and unknown values clamp.
enum class TextureAddress : uint32_t {
    Wrap = 1,
    Mirror = 2,
    Clamp = 3,
    Border = 4,
    MirrorOnce = 5
};

// Texture filters (D3DTEXTUREFILTERTYPE). None filters as Point (as a mip filter it means no
// mip-mapping); Anisotropic and the rest filter as Linear.
enum class TextureFilter : uint32_t { None = 0, Point = 1, Linear = 2, Anisotropic = 3 };

// A vertex already in screen space: x, y in pixels (pixel centres at integer coordinates),
// z the depth in [0, 1], rhw = 1 / w for perspective-correct interpolation, diffuse packed
// ARGB, u, v texture coordinates (texel centres at (i + 0.5) / size). The layout matches
// D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1.
struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t diffuse;
    float u, v;
};

// Half-open pixel rectangle [left, right) x [top, bottom).
struct Rect {
    int left, top, right, bottom;
};

// The viewport: nothing is drawn outside its rectangle, and depth is clamped to [minZ, maxZ].
struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
    float minZ = 0.0f, maxZ = 1.0f;
};

}  // namespace platform::raster
