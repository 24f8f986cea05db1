// The game's own pixel font: one design of 5 x 8 dots (7 rows above the baseline and one for
// descenders) for the 94 printable characters '!' to '~', drawn in an 8 x 8 design cell.
#pragma once

#include <array>

namespace assets {

constexpr int kFontDesignCell = 8;  // the design cell, in dots
constexpr int kGlyphDots = 5;       // dots per glyph row
constexpr int kGlyphLeft = 1;       // first dot column inside the design cell
constexpr char kFirstGlyph = '!';
constexpr char kLastGlyph = '~';

// Eight rows of five characters: '#' is a dot, anything else is empty.
using GlyphRows = std::array<const char*, kFontDesignCell>;

// The design of `character`; a blank glyph for characters outside '!'..'~'.
const GlyphRows& GlyphOf(char character);

// Whether dot (column, row) of the design cell is set for `character`.
bool GlyphDot(char character, int column, int row);

}  // namespace assets
