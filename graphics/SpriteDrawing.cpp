// The textured quad on the device and the two sprite draws.
#include "graphics/SpriteDrawing.h"

#include "frame/SharedContext.h"
#include "graphics/CTexture.h"

namespace {

struct QuadVertex {
    float x, y, z, rhw;
    D3DCOLOR color;
    float u, v;
};
static_assert(sizeof(QuadVertex) == 28);

constexpr DWORD kQuadFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr float kRadiansPerDegree = 0.017453292f;

}  // namespace

void DrawTexturedQuad(CTexture* texture, float x, float y, float z, float width, float height,
                      float u, float v, float du, float dv, D3DCOLOR color) {
    IDirect3DDevice9* device = SharedContext.device;
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    // A failed load has no texture: the quad then shows white modulated by the colour.
    device->SetTexture(0, texture ? texture->texture : nullptr);
    const QuadVertex quad[4] = {
        {x, y, z, 1.0f, color, u, v},
        {x + width, y, z, 1.0f, color, u + du, v},
        {x, y + height, z, 1.0f, color, u, v + dv},
        {x + width, y + height, z, 1.0f, color, u + du, v + dv},
    };
    device->SetFVF(kQuadFvf);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(QuadVertex));
}

void DrawSprite(ID3DXSprite** sprite, IDirect3DTexture9* texture, const RECT* source,
                D3DCOLOR color, const D3DXVECTOR2* position) {
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    (*sprite)->SetTransform(&identity);
    const D3DXVECTOR3 centre(0.0f, 0.0f, 0.0f);
    const D3DXVECTOR3 at(position->x, position->y, 0.0f);
    (*sprite)->Draw(texture, source, &centre, &at, color);
}

void DrawSpriteTransformed(ID3DXSprite** sprite, IDirect3DTexture9* texture, const RECT* source,
                           D3DCOLOR color, float angle, float z, const D3DXVECTOR2* center,
                           const D3DXVECTOR2* scale, const D3DXVECTOR2* translation, int flags) {
    const float sx = (flags & FLIP_HORIZONTAL) ? -scale->x : scale->x;
    const float sy = (flags & FLIP_VERTICAL) ? -scale->y : scale->y;
    D3DXMATRIX transform, step;
    D3DXMatrixIdentity(&transform);
    D3DXMatrixMultiply(&transform, &transform, D3DXMatrixScaling(&step, sx, sy, 1.0f));
    D3DXMatrixMultiply(&transform, &transform,
                       D3DXMatrixRotationZ(&step, angle * kRadiansPerDegree));
    D3DXMatrixMultiply(&transform, &transform,
                       D3DXMatrixTranslation(&step, translation->x, translation->y, z));
    (*sprite)->SetTransform(&transform);
    const D3DXVECTOR3 centre(center->x, center->y, 0.0f);
    (*sprite)->Draw(texture, source, &centre, nullptr, color);
}
