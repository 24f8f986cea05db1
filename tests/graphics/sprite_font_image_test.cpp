// The sprite font on the device: glyph cells from the character set, the pen advancing by one
// glyph for every byte, the half-pixel offset, centring, and the 128-character buffer.
#include <string>

#include "graphics/CSpriteFont.h"
#include "graphics/GraphicsTest.h"

namespace {

using platform::testing::Image;
using pokutan_test::MakeImage;
using pokutan_test::PicturesMatch;

std::string Charset() {
    std::string charset;
    for (char c = '!'; c <= '~'; ++c) {
        charset += c;
    }
    return charset;
}

// Each 32-texel cell of the 512 x 512 sheet is one colour of its own.
uint32_t CellColour(int column, int row) {
    return 0xFF000000u | static_cast<uint32_t>(column * 16 + 8) << 16 |
           static_cast<uint32_t>(row * 32 + 16) << 8 | 0x80u;
}

uint32_t ColourOf(char c) {
    const int index = c - '!';
    return CellColour(index % 16, index / 16);
}

class SpriteFontTest : public GraphicsTest {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteTextureFile(
            "Glyphs", Picture(512, 512, [](int x, int y) { return CellColour(x / 32, y / 32); }));
        font32 = new CSpriteFont(0.0625f, 0.0625f, 32, 32, "Glyphs", Charset());
        font64 = new CSpriteFont(0.0625f, 0.0625f, 64, 64, "Glyphs", Charset());
        ClearScreen(0xFF000000);
    }
    void TearDown() override {
        delete font32;
        delete font64;
        GraphicsTest::TearDown();
    }

    // The screen with glyph cells of `size` pixels whose top-left pixels are given.
    struct Glyph {
        char c;
        int x, y;
    };
    static Image Expected(int size, std::initializer_list<Glyph> glyphs) {
        Image image = MakeImage(kWidth, kHeight, [](int, int) { return 0xFF000000u; });
        for (const Glyph& glyph : glyphs) {
            for (int y = glyph.y; y < glyph.y + size; ++y) {
                for (int x = glyph.x; x < glyph.x + size; ++x) {
                    image.pixels[static_cast<size_t>(y) * kWidth + x] = ColourOf(glyph.c);
                }
            }
        }
        return image;
    }

    CSpriteFont* font32 = nullptr;
    CSpriteFont* font64 = nullptr;
};

TEST_F(SpriteFontTest, CellsFollowTheCharacterSetOnASixteenColumnSheet) {
    EXPECT_EQ(font32->cellU[static_cast<int>('A')], 0.0f);
    EXPECT_EQ(font32->cellV[static_cast<int>('A')], 0.125f);
    EXPECT_EQ(font32->cellU[static_cast<int>('~')], 13 * 0.0625f);
    EXPECT_EQ(font32->cellV[static_cast<int>('~')], 5 * 0.0625f);
    EXPECT_EQ(font32->cellU[static_cast<int>(' ')], -1.0f);
    EXPECT_EQ(font32->cellU[0xA0], -1.0f);
    EXPECT_EQ(font32->texture, CTexture::Get("Glyphs"));
    CSpriteFont repeated(0.5f, 0.5f, 8, 8, "Glyphs", "abca");
    EXPECT_EQ(repeated.cellU[static_cast<int>('a')], 0.5f) << "the last occurrence counts";
    EXPECT_EQ(repeated.cellV[static_cast<int>('a')], 0.5f);
}

TEST_F(SpriteFontTest, SpaceLeavesAGlyphWideGapAndEveryCharacterSitsHalfAPixelIn) {
    font32->DrawString(10, 20, 0.0f, "A B", 0xFFFFFFFF);
    // Quads at x + 0.5 and x + 64.5 cover the pixels from x + 1 and x + 65 on.
    EXPECT_TRUE(
        PicturesMatch(Screen(), Expected(32, {{'A', 11, 21}, {'B', 75, 21}}), "font_a_space_b"));
}

TEST_F(SpriteFontTest, LineFeedAndHighBytesOnlyAdvance) {
    font32->DrawString(0, 0, 0.0f,
                       "1\n2\x82\xA0\xFF"
                       "3",
                       0xFFFFFFFF);
    EXPECT_TRUE(PicturesMatch(Screen(), Expected(32, {{'1', 1, 1}, {'2', 65, 1}, {'3', 193, 1}}),
                              "font_advance_only"));
    ClearScreen(0xFF000000);
    font32->DrawString(0, 0, 0.0f, "", 0xFFFFFFFF);
    EXPECT_TRUE(PicturesMatch(Screen(), Expected(32, {}), "font_empty"));
}

TEST_F(SpriteFontTest, PrintCenteredPutsTheTextsMiddleOnThePoint) {
    const D3DXVECTOR2 centre(320, 240);
    font64->PrintCentered(&centre, 0xFFFFFFFF, "%03d", 7);
    // w = 192, h = 64: the first cell's corner at (224, 208) plus half a pixel.
    EXPECT_TRUE(PicturesMatch(Screen(),
                              Expected(64, {{'0', 225, 209}, {'0', 289, 209}, {'7', 353, 209}}),
                              "font_centred"));
}

TEST_F(SpriteFontTest, PrintFormatsAndModulatesByTheColour) {
    font32->Print(0, 100, 0xFF808080, "B%02dF", 3);
    const Image screen = Screen();
    const uint32_t b = ColourOf('B');
    const uint32_t expected = 0xFF000000u | (((b >> 16 & 0xFF) * 128 + 127) / 255) << 16;
    EXPECT_LE(pokutan_test::LargestChannelDifference(screen.At(1, 101) & 0xFFFF0000u, expected), 1);
    EXPECT_NE(screen.At(33, 101), 0xFF000000u);   // '0'
    EXPECT_NE(screen.At(97, 101), 0xFF000000u);   // 'F'
    EXPECT_EQ(screen.At(129, 101), 0xFF000000u);  // nothing after it
}

TEST_F(SpriteFontTest, LongFormattedTextIsCutTo127Characters) {
    const std::string longText(200, 'x');
    EXPECT_EQ(font32->GetTextWidth("%s", longText.c_str()), 127.0f * 32.0f);
    EXPECT_EQ(font32->GetTextWidth("MISS:%02d", 100), 8.0f * 32.0f);
    EXPECT_EQ(font64->GetTextWidth(""), 0.0f);
    font32->Print(-32.0f * 126, 0, 0xFFFFFFFF, "%s%s", longText.c_str(), "yz");
    // Character 127 (index 126) is an 'x' at x = 0; the cut drops everything after it. The
    // 'x' before it reaches into column 0.
    Image expected = Expected(32, {{'x', 1, 1}});
    for (int y = 1; y <= 32; ++y) {
        expected.pixels[static_cast<size_t>(y) * kWidth] = ColourOf('x');
    }
    EXPECT_TRUE(PicturesMatch(Screen(), expected, "font_cut"));
}

}  // namespace
