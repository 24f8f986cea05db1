// Single-line text from a glyph sheet: a texture cut into a grid of equal cells, one character
// per cell in the order of a character-set string. Each drawn character is one textured quad
// (DrawTexturedQuad); characters outside the set (space, line feed, bytes 0x80 to 0xFF...) draw
// nothing and advance the pen by one glyph. Formatted text is cut to 127 characters.
#pragma once

#include <string>

#include "d3dx9.h"

class CTexture;

class CSpriteFont {
  public:
    static constexpr int TEXT_BUFFER_SIZE = 128;

    // cellWidth, cellHeight: one cell in texture coordinates (cellWidth in (0, 1]); glyphWidth,
    // glyphHeight: one drawn character in pixels, glyphWidth also the advance.
    CSpriteFont(float cellWidth, float cellHeight, float glyphWidth, float glyphHeight,
                std::string textureName, std::string charset);
    virtual ~CSpriteFont();

    // The first cell's top-left corner at (x, y), at depth z.
    void DrawString(float x, float y, float z, std::string text, D3DCOLOR color);
    // printf-style, drawn at (x, y), depth 0.
    void Print(float x, float y, D3DCOLOR color, const char* format, ...);
    // printf-style, drawn centred on the point, depth 0.
    void PrintCentered(const D3DXVECTOR2* center, D3DCOLOR color, const char* format, ...);
    // The width in pixels of the formatted text.
    float GetTextWidth(const char* format, ...);

    CTexture* texture;  // the glyph sheet, owned by the texture registry
    float cellU[256];   // per byte: left texture coordinate of its cell, or -1
    float cellV[256];   // per byte: top texture coordinate of its cell, or -1
    float cellWidth, cellHeight;
    float glyphWidth, glyphHeight;
};
