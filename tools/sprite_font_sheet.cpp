// Draws each glyph by scaling its design dots to whole-pixel squares, so every size stays crisp.
#include "tools/sprite_font_sheet.h"

#include "tools/pixel_font.h"

namespace assets {

namespace {

void DrawGlyph(Picture& sheet, char character, int left, int top, int dotSize) {
    for (int row = 0; row < kFontDesignCell; ++row) {
        for (int column = 0; column < kFontDesignCell; ++column) {
            if (GlyphDot(character, column, row)) {
                sheet.FillRect(left + column * dotSize, top + row * dotSize, dotSize, dotSize,
                               kGlyphColor);
            }
        }
    }
}

}  // namespace

Picture SpriteFontSheet(int cellSize) {
    Picture sheet(cellSize * kSheetColumns, cellSize * kSheetColumns, kTransparent);
    const int dotSize = cellSize / kFontDesignCell;
    for (char character = kFirstGlyph; character <= kLastGlyph; ++character) {
        int index = character - kFirstGlyph;
        DrawGlyph(sheet, character, (index % kSheetColumns) * cellSize,
                  (index / kSheetColumns) * cellSize, dotSize);
    }
    return sheet;
}

}  // namespace assets
