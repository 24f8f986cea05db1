// Everything a draw call reads besides its vertices: the targets, the texture of stage 0 and
// the render, stage and sampler states that the rasteriser honours. The defaults are those of
// a freshly created Direct3D 9 device.
#pragma once

#include <cstdint>

#include "raster/hidden_area.h"
#include "raster/raster_types.h"
#include "raster/surface.h"
#include "raster/texture.h"

namespace platform::raster {

struct SamplerState {
    TextureFilter magFilter = TextureFilter::Point;
    TextureFilter minFilter = TextureFilter::Point;
    TextureFilter mipFilter = TextureFilter::None;
    TextureAddress addressU = TextureAddress::Wrap;
    TextureAddress addressV = TextureAddress::Wrap;
    uint32_t borderColor = 0;
    // The first mip level used (D3DSAMP_MAXMIPLEVEL).
    int maxMipLevel = 0;
};

// Texture stage 0. Args are TextureArg values (selector plus modifier bits).
struct TextureStage {
    TextureOp colorOp = TextureOp::Modulate;
    uint32_t colorArg1 = TextureArg::Texture;
    uint32_t colorArg2 = TextureArg::Current;
    TextureOp alphaOp = TextureOp::SelectArg1;
    uint32_t alphaArg1 = TextureArg::Texture;
    uint32_t alphaArg2 = TextureArg::Current;
};

struct RenderState {
    bool zEnable = true;
    bool zWriteEnable = true;
    CmpFunc zFunc = CmpFunc::LessEqual;
    bool alphaTestEnable = false;
    CmpFunc alphaFunc = CmpFunc::Always;
    uint8_t alphaRef = 0;
    bool alphaBlendEnable = false;
    Blend srcBlend = Blend::One;
    Blend destBlend = Blend::Zero;
    BlendOp blendOp = BlendOp::Add;
    Cull cullMode = Cull::CCW;
    // D3DRS_COLORWRITEENABLE: bit 0 red, 1 green, 2 blue, 3 alpha.
    uint32_t colorWriteEnable = 0xF;
    // D3DRS_TEXTUREFACTOR, read by TextureArg::TFactor.
    uint32_t textureFactor = 0xFFFFFFFF;
};

// One draw call. A null target or an empty viewport draws nothing (the viewport is not filled
// in for you: set it to the device's); a null depth surface (or zEnable off) skips the depth test
// and write; a null texture reads as opaque white. Stencil is not tested or written.
struct DrawState {
    ColorSurface* target = nullptr;
    DepthStencilSurface* depthStencil = nullptr;
    const Texture* texture = nullptr;
    Viewport viewport;
    RenderState render;
    TextureStage stage;
    SamplerState sampler;
    // Pixels a later draw covers whatever they hold; the draw may skip them. Null: none.
    const HiddenArea* hidden = nullptr;
};

}  // namespace platform::raster
