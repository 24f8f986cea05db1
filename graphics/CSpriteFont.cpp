// The glyph table of a sprite font, and drawing and measuring text with it.
#include "graphics/CSpriteFont.h"

#include <cmath>
#include <cstdarg>
#include <cstring>

#include "crt_secure.h"
#include "graphics/CTexture.h"
#include "graphics/SpriteDrawing.h"

namespace {

// Columns of the sheet: 1 / cellWidth truncated. A cell width outside (0, 1] would leave no
// column to divide by; such a sheet is read as one column instead.
int ColumnsOf(float cellWidth) {
    const float columns = 1.0f / cellWidth;
    if (!(columns >= 1.0f) || !std::isfinite(columns) || columns > 65536.0f) {
        return 1;
    }
    return static_cast<int>(columns);
}

}  // namespace

CSpriteFont::CSpriteFont(float cellWidth, float cellHeight, float glyphWidth, float glyphHeight,
                         std::string textureName, std::string charset)
    : texture(CTexture::Load(std::move(textureName))),
      cellWidth(cellWidth),
      cellHeight(cellHeight),
      glyphWidth(glyphWidth),
      glyphHeight(glyphHeight) {
    const int columns = ColumnsOf(cellWidth);
    for (int c = 0; c < 256; ++c) {
        cellU[c] = -1.0f;
        cellV[c] = -1.0f;
    }
    for (size_t i = 0; i < charset.size(); ++i) {
        const auto c = static_cast<unsigned char>(charset[i]);
        const int index = static_cast<int>(i);
        cellU[c] = static_cast<float>(index % columns) * cellWidth;
        cellV[c] = static_cast<float>(index / columns) * cellHeight;
    }
}

CSpriteFont::~CSpriteFont() = default;

void CSpriteFont::DrawString(float x, float y, float z, std::string text, D3DCOLOR color) {
    float pen = x;
    const size_t length = text.size();
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (cellU[c] >= 0.0f && cellV[c] >= 0.0f) {
            DrawTexturedQuad(texture, pen + 0.5f, y + 0.5f, z, glyphWidth, glyphHeight, cellU[c],
                             cellV[c], cellWidth, cellHeight, color);
        }
        pen += glyphWidth;
    }
}

void CSpriteFont::Print(float x, float y, D3DCOLOR color, const char* format, ...) {
    char text[TEXT_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf_s(text, TEXT_BUFFER_SIZE, _TRUNCATE, format, arguments);
    va_end(arguments);
    DrawString(x, y, 0.0f, text, color);
}

void CSpriteFont::PrintCentered(const D3DXVECTOR2* center, D3DCOLOR color, const char* format,
                                ...) {
    char text[TEXT_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf_s(text, TEXT_BUFFER_SIZE, _TRUNCATE, format, arguments);
    va_end(arguments);
    const float width = glyphWidth * static_cast<float>(std::strlen(text));
    const float height = glyphHeight;
    DrawString(center->x - width * 0.5f, center->y - height * 0.5f, 0.0f, text, color);
}

float CSpriteFont::GetTextWidth(const char* format, ...) {
    char text[TEXT_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf_s(text, TEXT_BUFFER_SIZE, _TRUNCATE, format, arguments);
    va_end(arguments);
    return glyphWidth * static_cast<float>(std::strlen(text));
}
