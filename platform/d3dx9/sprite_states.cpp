// The sprite's device states: what it sets, and keeping and restoring the device's values.
#include "d3dx9/sprite_states.h"

#include <iterator>

namespace platform::d3dx9 {
namespace {

constexpr D3DRENDERSTATETYPE kAlwaysSet[] = {D3DRS_ALPHATESTENABLE, D3DRS_ALPHAFUNC, D3DRS_ALPHAREF,
                                             D3DRS_CULLMODE, D3DRS_LIGHTING};
constexpr D3DRENDERSTATETYPE kBlendSet[] = {D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND,
                                            D3DRS_DESTBLEND};
constexpr D3DTEXTURESTAGESTATETYPE kStageStates[6] = {D3DTSS_COLOROP,   D3DTSS_COLORARG1,
                                                      D3DTSS_COLORARG2, D3DTSS_ALPHAOP,
                                                      D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2};
constexpr D3DSAMPLERSTATETYPE kSamplerStates[5] = {
    D3DSAMP_ADDRESSU, D3DSAMP_ADDRESSV, D3DSAMP_MAGFILTER, D3DSAMP_MINFILTER, D3DSAMP_MIPFILTER};
constexpr D3DTRANSFORMSTATETYPE kTransforms[3] = {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION};

D3DMATRIX PixelProjection(const D3DVIEWPORT9& viewport) {
    const float width = static_cast<float>(viewport.Width ? viewport.Width : 1);
    const float height = static_cast<float>(viewport.Height ? viewport.Height : 1);
    D3DMATRIX m = {};
    m._11 = 2.0f / width;
    m._22 = -2.0f / height;
    m._33 = 1.0f;
    m._44 = 1.0f;
    // Sprite point (X, Y) lands half a pixel up and left of the viewport's corner, so that the
    // first texel's centre falls on the first pixel's centre.
    m._41 = -1.0f - 2.0f * (static_cast<float>(viewport.X) + 0.5f) / width;
    m._42 = 1.0f + 2.0f * (static_cast<float>(viewport.Y) + 0.5f) / height;
    return m;
}

D3DMATRIX Identity() {
    D3DMATRIX m = {};
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

}  // namespace

void ApplySpriteStates(IDirect3DDevice9* device, DWORD flags) {
    D3DVIEWPORT9 viewport = {};
    device->GetViewport(&viewport);
    const D3DMATRIX identity = Identity();
    const D3DMATRIX projection = PixelProjection(viewport);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetTransform(D3DTS_VIEW, &identity);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    device->SetRenderState(D3DRS_ALPHAREF, 0);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    if (flags & D3DXSPRITE_ALPHABLEND) {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    }
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    // A minified sprite reads the texture's mip chain instead of aliasing level 0.
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
}

void SavedSpriteStates::Save(DWORD flags) {
    Drop();
    renderStates.assign(std::begin(kAlwaysSet), std::end(kAlwaysSet));
    if (flags & D3DXSPRITE_ALPHABLEND) {
        renderStates.insert(renderStates.end(), std::begin(kBlendSet), std::end(kBlendSet));
    }
    renderValues.resize(renderStates.size());
    for (size_t i = 0; i < renderStates.size(); ++i) {
        device->GetRenderState(renderStates[i], &renderValues[i]);
    }
    for (int i = 0; i < 6; ++i) {
        device->GetTextureStageState(0, kStageStates[i], &stageValues[i]);
    }
    for (int i = 0; i < 5; ++i) {
        device->GetSamplerState(0, kSamplerStates[i], &samplerValues[i]);
    }
    for (int i = 0; i < 3; ++i) {
        device->GetTransform(kTransforms[i], &transforms[i]);
    }
    device->GetFVF(&fvf);
    device->GetTexture(0, &texture);
    saved = true;
}

void SavedSpriteStates::Restore() {
    if (!saved) {
        return;
    }
    for (size_t i = 0; i < renderStates.size(); ++i) {
        device->SetRenderState(renderStates[i], renderValues[i]);
    }
    for (int i = 0; i < 6; ++i) {
        device->SetTextureStageState(0, kStageStates[i], stageValues[i]);
    }
    for (int i = 0; i < 5; ++i) {
        device->SetSamplerState(0, kSamplerStates[i], samplerValues[i]);
    }
    for (int i = 0; i < 3; ++i) {
        device->SetTransform(kTransforms[i], &transforms[i]);
    }
    device->SetFVF(fvf);
    device->SetTexture(0, texture);
    Drop();
}

void SavedSpriteStates::Drop() {
    if (texture) {
        texture->Release();
        texture = nullptr;
    }
    saved = false;
}

}  // namespace platform::d3dx9
