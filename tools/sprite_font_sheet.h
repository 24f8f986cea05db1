// The sprite font's glyph sheets: a 16 x 16 grid of square cells holding the characters '!' to
// '~' in code order (row 0 '!' to '0', ...), white glyphs of the pixel font on magenta.
#pragma once

#include "tools/picture.h"

namespace assets {

constexpr int kSheetColumns = 16;
constexpr uint32_t kGlyphColor = 0xFFFFFFFF;

// The sheet for glyphs of `cellSize` pixels (a multiple of the 8-dot design cell).
Picture SpriteFontSheet(int cellSize);

}  // namespace assets
