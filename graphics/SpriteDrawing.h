// The three ways the game puts textures on the screen: a coloured pre-transformed quad drawn
// directly on the shared device, and two draws through a D3DX sprite (the caller brackets them
// with the sprite's Begin and End).
#pragma once

#include "d3dx9.h"

class CTexture;

constexpr int FLIP_HORIZONTAL = 2;
constexpr int FLIP_VERTICAL = 4;

// The texture region (u, v)-(u + du, v + dv) onto the screen rectangle (x, y)-(x + width,
// y + height) at depth z, modulated by colour; negative du or dv mirror the region. Sets stage
// 0 to modulate texture and diffuse, the texture and the vertex format, and leaves them so; no
// render state is touched. A null CTexture or a null texture in it draws the quad untextured.
void DrawTexturedQuad(CTexture* texture, float x, float y, float z, float width, float height,
                      float u, float v, float du, float dv, D3DCOLOR color);

// The source region unscaled, its top-left corner at the position (identity sprite transform).
void DrawSprite(ID3DXSprite** sprite, IDirect3DTexture9* texture, const RECT* source,
                D3DCOLOR color, const D3DXVECTOR2* position);

// The source region scaled, mirrored by the flags, rotated clockwise on screen by angle degrees
// about the centre point (in the region's pixels), and that point placed at (translation, z).
void DrawSpriteTransformed(ID3DXSprite** sprite, IDirect3DTexture9* texture, const RECT* source,
                           D3DCOLOR color, float angle, float z, const D3DXVECTOR2* center,
                           const D3DXVECTOR2* scale, const D3DXVECTOR2* translation, int flags);
