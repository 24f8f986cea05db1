// Small stand-ins for the game's Resource/ tree, written by tests into their run folder: the five
// textures at their real sizes (the 32-pixel atlas with a colour of its own per cell, a plain
// background, three glyph sheets with a 16 x 16 grid, magenta for transparency) and seven short
// WAV files. Tests know the pictures, so they can tell where each cell and glyph landed.
#pragma once

#include <cstdint>
#include <filesystem>

namespace test_assets {

constexpr uint32_t MAGENTA = 0xFFFF00FF;  // the colour key: transparent once loaded
constexpr uint32_t BACKGROUND_TEXEL = 0xFF404040;

// The colour of atlas cell (column, row) of "Image" (256 x 128, 32-pixel cells). Every cell is
// that colour except a darker 4 x 4 dot at texels (4, 4)-(7, 7), which shows mirroring.
uint32_t AtlasColor(int column, int row);

// Glyph sheets: character c of a sheet with g-pixel cells is white in its cell's
// [0, 3g/4) x [0, 3g/4) square, with a magenta hole of g/8 at NotchOf(c, g); the rest is magenta.
// A point of the white square that no notch ever covers, relative to the glyph's top-left:
inline int GlyphSolidX(int g) {
    return g * 11 / 16;
}
inline int GlyphSolidY(int g) {
    return g / 16;
}
// The top-left of character c's hole, relative to the glyph's top-left.
int NotchX(unsigned char c, int g);
int NotchY(unsigned char c, int g);

// Writes Resource/Texture/*.png and Resource/Sound/*.wav below `runFolder`.
void WriteTestAssets(const std::filesystem::path& runFolder);

}  // namespace test_assets
