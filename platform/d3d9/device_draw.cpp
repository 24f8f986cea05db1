// The device's pipeline state and drawing from memory: states set and read back, the texture of
// each stage, transforms and vertex format, and DrawPrimitiveUP handed to the renderer.
#include <algorithm>

#include "d3d9/device.h"
#include "d3d9/surface.h"
#include "d3d9/texture.h"
#include "d3d9/vertex_input.h"
#include "raster/rasterizer.h"

namespace platform::d3d9 {
namespace {

D3DMATRIX* TransformSlot(DeviceState& pipeline, D3DTRANSFORMSTATETYPE state) {
    switch (state) {
        case D3DTS_WORLD:
            return &pipeline.world;
        case D3DTS_VIEW:
            return &pipeline.view;
        case D3DTS_PROJECTION:
            return &pipeline.projection;
        default:
            return nullptr;
    }
}

raster::RenderState RenderStateOf(const DWORD* rs) {
    raster::RenderState render;
    render.zEnable = rs[D3DRS_ZENABLE] != D3DZB_FALSE;
    render.zWriteEnable = rs[D3DRS_ZWRITEENABLE] != FALSE;
    render.zFunc = static_cast<raster::CmpFunc>(rs[D3DRS_ZFUNC]);
    render.alphaTestEnable = rs[D3DRS_ALPHATESTENABLE] != FALSE;
    render.alphaFunc = static_cast<raster::CmpFunc>(rs[D3DRS_ALPHAFUNC]);
    render.alphaRef = static_cast<uint8_t>(std::min<DWORD>(rs[D3DRS_ALPHAREF], 255));
    render.alphaBlendEnable = rs[D3DRS_ALPHABLENDENABLE] != FALSE;
    render.srcBlend = static_cast<raster::Blend>(rs[D3DRS_SRCBLEND]);
    render.destBlend = static_cast<raster::Blend>(rs[D3DRS_DESTBLEND]);
    render.blendOp = static_cast<raster::BlendOp>(rs[D3DRS_BLENDOP]);
    render.cullMode = static_cast<raster::Cull>(rs[D3DRS_CULLMODE]);
    render.colorWriteEnable = rs[D3DRS_COLORWRITEENABLE] & 0xF;
    render.textureFactor = rs[D3DRS_TEXTUREFACTOR];
    return render;
}

raster::TextureStage StageOf(const DWORD* ts) {
    raster::TextureStage stage;
    stage.colorOp = static_cast<raster::TextureOp>(ts[D3DTSS_COLOROP]);
    stage.colorArg1 = ts[D3DTSS_COLORARG1];
    stage.colorArg2 = ts[D3DTSS_COLORARG2];
    stage.alphaOp = static_cast<raster::TextureOp>(ts[D3DTSS_ALPHAOP]);
    stage.alphaArg1 = ts[D3DTSS_ALPHAARG1];
    stage.alphaArg2 = ts[D3DTSS_ALPHAARG2];
    return stage;
}

raster::SamplerState SamplerOf(const DWORD* ss) {
    raster::SamplerState sampler;
    sampler.magFilter = static_cast<raster::TextureFilter>(ss[D3DSAMP_MAGFILTER]);
    sampler.minFilter = static_cast<raster::TextureFilter>(ss[D3DSAMP_MINFILTER]);
    sampler.mipFilter = static_cast<raster::TextureFilter>(ss[D3DSAMP_MIPFILTER]);
    sampler.addressU = static_cast<raster::TextureAddress>(ss[D3DSAMP_ADDRESSU]);
    sampler.addressV = static_cast<raster::TextureAddress>(ss[D3DSAMP_ADDRESSV]);
    sampler.borderColor = ss[D3DSAMP_BORDERCOLOR];
    sampler.maxMipLevel = static_cast<int>(std::min<DWORD>(ss[D3DSAMP_MAXMIPLEVEL], 15));
    return sampler;
}

}  // namespace

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    if (!DeviceState::ValidRenderState(state)) {
        return D3DERR_INVALIDCALL;
    }
    pipeline.renderStates[state] = value;
    return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    if (!value || !DeviceState::ValidRenderState(state)) {
        return D3DERR_INVALIDCALL;
    }
    *value = pipeline.renderStates[state];
    return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    if (!DeviceState::ValidStage(stage, type)) {
        return D3DERR_INVALIDCALL;
    }
    pipeline.stageStates[stage][type] = value;
    return D3D_OK;
}

HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
    if (!value || !DeviceState::ValidStage(stage, type)) {
        return D3DERR_INVALIDCALL;
    }
    *value = pipeline.stageStates[stage][type];
    return D3D_OK;
}

HRESULT Device::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    if (!DeviceState::ValidSampler(sampler, type)) {
        return D3DERR_INVALIDCALL;
    }
    pipeline.samplerStates[sampler][type] = value;
    return D3D_OK;
}

HRESULT Device::GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) {
    if (!value || !DeviceState::ValidSampler(sampler, type)) {
        return D3DERR_INVALIDCALL;
    }
    *value = pipeline.samplerStates[sampler][type];
    return D3D_OK;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    D3DMATRIX* slot = TransformSlot(pipeline, state);
    if (!matrix || !slot) {
        return D3DERR_INVALIDCALL;
    }
    *slot = *matrix;
    return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
    D3DMATRIX* slot = TransformSlot(pipeline, state);
    if (!matrix || !slot) {
        return D3DERR_INVALIDCALL;
    }
    *matrix = *slot;
    return D3D_OK;
}

HRESULT Device::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    if (stage >= kSamplers) {
        return D3DERR_INVALIDCALL;
    }
    Texture* bound = TextureImpl(texture);
    if (bound) {
        bound->Bind();
    }
    if (textures[stage]) {
        textures[stage]->Unbind();
    }
    textures[stage] = bound;
    return D3D_OK;
}

HRESULT Device::GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) {
    if (!texture || stage >= kSamplers) {
        return D3DERR_INVALIDCALL;
    }
    *texture = textures[stage];
    if (*texture) {
        (*texture)->AddRef();
    }
    return D3D_OK;
}

HRESULT Device::SetFVF(DWORD fvf) {
    pipeline.fvf = fvf;
    return D3D_OK;
}

HRESULT Device::GetFVF(DWORD* fvf) {
    if (!fvf) {
        return D3DERR_INVALIDCALL;
    }
    *fvf = pipeline.fvf;
    return D3D_OK;
}

bool Device::BuildDrawState(raster::DrawState& draw) const {
    const raster::ColorSurface* target = renderTarget->Color();
    draw.target = renderTarget->Color();
    // A depth stencil smaller than the target is not valid on Windows; it is left out here.
    if (depthStencil && depthStencil->Depth()->width() >= target->width() &&
        depthStencil->Depth()->height() >= target->height()) {
        draw.depthStencil = depthStencil->Depth();
    }
    // The rasteriser samples with stage 0's texture; a texture that is also the target would
    // read what it writes, so it reads as no texture.
    const Texture* texture = textures[0];
    if (texture && &texture->Pixels().level(0) != target) {
        draw.texture = &texture->Pixels();
    }
    draw.viewport = raster::Viewport{static_cast<int>(viewport.X),
                                     static_cast<int>(viewport.Y),
                                     static_cast<int>(viewport.Width),
                                     static_cast<int>(viewport.Height),
                                     viewport.MinZ,
                                     viewport.MaxZ};
    draw.render = RenderStateOf(pipeline.renderStates);
    draw.stage = StageOf(pipeline.stageStates[0]);
    draw.sampler = SamplerOf(pipeline.samplerStates[0]);
    return true;
}

HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT primitiveCount,
                                const void* vertexData, UINT vertexStride) {
    const auto type = static_cast<raster::PrimitiveType>(primitiveType);
    const size_t count = raster::VertexCount(type, primitiveCount);
    const bool triangles = primitiveType == D3DPT_TRIANGLELIST ||
                           primitiveType == D3DPT_TRIANGLESTRIP ||
                           primitiveType == D3DPT_TRIANGLEFAN;
    if (!vertexData || primitiveCount == 0 || vertexStride == 0 || VertexSize(pipeline.fvf) == 0 ||
        vertexStride < VertexSize(pipeline.fvf)) {
        return D3DERR_INVALIDCALL;
    }
    if (!triangles) {
        return D3D_OK;  // points and lines are not drawn by this layer
    }
    VertexTransform transform;
    transform.worldViewProjection =
        Multiply(Multiply(pipeline.world, pipeline.view), pipeline.projection);
    transform.viewport = viewport;
    transform.unlitBlack = pipeline.renderStates[D3DRS_LIGHTING] != FALSE;
    ConvertVertices(pipeline.fvf, vertexData, vertexStride, count, transform, vertices);
    raster::DrawState draw;
    if (BuildDrawState(draw)) {
        renderer->Draw(draw, type, vertices, primitiveCount);
    }
    return D3D_OK;
}

}  // namespace platform::d3d9
