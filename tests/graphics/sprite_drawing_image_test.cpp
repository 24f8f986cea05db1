// The three drawing primitives on the device, read back as pixels: the textured quad (mirrored
// by negative du and dv, untextured for a failed load), and the sprite draws with flips, a
// quarter turn, colour keying, additive blending and the depth test.
#include "graphics/GraphicsTest.h"
#include "graphics/SharedSprite.h"
#include "graphics/SpriteDrawing.h"

namespace {

using platform::testing::Image;
using pokutan_test::MakeImage;
using pokutan_test::PicturesMatch;

// A picture in which every texel differs from every other.
uint32_t Texel(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 8) << 16 | static_cast<uint32_t>(y * 8) << 8 |
           0x40u;
}

class SpriteDrawingTest : public GraphicsTest {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteTextureFile("Picture", Picture(32, 32, Texel));
        picture = CTexture::Load("Picture");
        ASSERT_NE(picture->texture, nullptr);
        ASSERT_EQ(D3DXCreateSprite(device, GetSharedSprite()), D3D_OK);
        sprite = GetSharedSprite();
        ClearScreen(0xFF000000);
    }

    // The picture drawn the game's way, its centre (16, 16) at (100, 100).
    void DrawPicture(int flags, float angle, float z = 0.0f, D3DCOLOR colour = 0xFFFFFFFF,
                     DWORD beginFlags = D3DXSPRITE_ALPHABLEND) {
        const RECT source = {0, 0, 32, 32};
        const D3DXVECTOR2 centre(16, 16);
        const D3DXVECTOR2 scale(1, 1);
        const D3DXVECTOR2 at(100, 100);
        (*sprite)->Begin(beginFlags);
        DrawSpriteTransformed(sprite, picture->texture, &source, colour, angle, z, &centre, &scale,
                              &at, flags);
        (*sprite)->End();
    }

    // The screen expected when texel (i, j) lands on pixel place(i, j).
    template <typename Place>
    static Image Expected(Place place) {
        Image image = MakeImage(kWidth, kHeight, [](int, int) { return 0xFF000000u; });
        for (int j = 0; j < 32; ++j) {
            for (int i = 0; i < 32; ++i) {
                const auto [x, y] = place(i, j);
                image.pixels[static_cast<size_t>(y) * kWidth + x] = Texel(i, j);
            }
        }
        return image;
    }

    CTexture* picture = nullptr;
    ID3DXSprite** sprite = nullptr;
};

TEST_F(SpriteDrawingTest, UnflippedSpriteIsCentredOnTheTranslation) {
    DrawPicture(0, 0.0f);
    EXPECT_TRUE(PicturesMatch(Screen(), Expected([](int i, int j) {
                                  return std::pair{84 + i, 84 + j};
                              }),
                              "sprite_unflipped", 2));
}

TEST_F(SpriteDrawingTest, FlagsSixMirrorBothWays) {
    DrawPicture(FLIP_HORIZONTAL | FLIP_VERTICAL | 1 | 8, 0.0f);  // other bits are ignored
    EXPECT_TRUE(PicturesMatch(Screen(), Expected([](int i, int j) {
                                  return std::pair{115 - i, 115 - j};
                              }),
                              "sprite_flipped_both", 2));
    ClearScreen(0xFF000000);
    DrawPicture(FLIP_HORIZONTAL, 0.0f);
    EXPECT_TRUE(PicturesMatch(Screen(), Expected([](int i, int j) {
                                  return std::pair{115 - i, 84 + j};
                              }),
                              "sprite_flipped_horizontally", 2));
}

TEST_F(SpriteDrawingTest, NinetyDegreesTurnClockwiseAboutTheCentre) {
    DrawPicture(0, 90.0f);
    EXPECT_TRUE(PicturesMatch(Screen(), Expected([](int i, int j) {
                                  return std::pair{115 - j, 84 + i};
                              }),
                              "sprite_quarter_turn", 2));
}

TEST_F(SpriteDrawingTest, DrawSpritePlacesTheTopLeftCornerUnscaled) {
    D3DXMATRIX skewed;
    D3DXMatrixScaling(&skewed, 3, 3, 1);
    (*sprite)->Begin(D3DXSPRITE_ALPHABLEND);
    (*sprite)->SetTransform(&skewed);  // DrawSprite sets its own identity
    const RECT source = {8, 4, 24, 20};
    const D3DXVECTOR2 at(50, 60);
    DrawSprite(sprite, picture->texture, &source, 0xFFFFFFFF, &at);
    (*sprite)->End();
    const Image expected = MakeImage(kWidth, kHeight, [](int x, int y) {
        const bool inside = x >= 50 && x < 66 && y >= 60 && y < 76;
        return inside ? Texel(x - 50 + 8, y - 60 + 4) : 0xFF000000u;
    });
    EXPECT_TRUE(PicturesMatch(Screen(), expected, "draw_sprite", 2));
}

TEST_F(SpriteDrawingTest, MagentaPixelsOfALoadedImageDrawTransparent) {
    WriteTextureFile(
        "Keyed", Picture(32, 32, [](int x, int) { return x < 16 ? 0xFFFF00FFu : 0xFFFFFFFFu; }));
    CTexture* keyed = CTexture::Load("Keyed");
    ClearScreen(0xFF0000FF);
    (*sprite)->Begin(D3DXSPRITE_ALPHABLEND);
    const D3DXVECTOR2 at(10, 10);
    DrawSprite(sprite, keyed->texture, &keyed->rect, 0xFFFFFFFF, &at);
    (*sprite)->End();
    const Image screen = Screen();
    EXPECT_EQ(screen.At(10, 20), 0xFF0000FFu);
    EXPECT_EQ(screen.At(24, 20), 0xFF0000FFu) << "the keyed column next to white";
    EXPECT_EQ(screen.At(27, 20), 0xFFFFFFFFu);
}

TEST_F(SpriteDrawingTest, OneOneBlendingAddsTheModulatedColour) {
    WriteTextureFile("White", Picture(32, 32, [](int, int) { return 0xFFFFFFFFu; }));
    CTexture* white = CTexture::Load("White");
    ClearScreen(0xFF102030);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    const RECT source = {0, 0, 32, 32};
    const D3DXVECTOR2 centre(16, 16);
    const D3DXVECTOR2 scale(4, 4);
    const D3DXVECTOR2 at(100, 100);
    (*sprite)->Begin(0);
    DrawSpriteTransformed(sprite, white->texture, &source, 0xFF404040, 30.0f, 1.0f, &centre, &scale,
                          &at, 0);
    DrawSpriteTransformed(sprite, white->texture, &source, 0xFF404040, -60.0f, 1.0f, &centre,
                          &scale, &at, 0);
    (*sprite)->End();
    EXPECT_EQ(Screen().At(100, 100), 0xFF90A0B0u);
    EXPECT_EQ(Screen().At(2, 2), 0xFF102030u);
}

TEST_F(SpriteDrawingTest, DepthTestKeepsTheNearerSpriteInEitherOrder) {
    WriteTextureFile("White", Picture(32, 32, [](int, int) { return 0xFFFFFFFFu; }));
    CTexture* white = CTexture::Load("White");
    const RECT source = {0, 0, 32, 32};
    const D3DXVECTOR2 centre(16, 16);
    const D3DXVECTOR2 scale(1, 1);
    const D3DXVECTOR2 left(100, 100);
    const D3DXVECTOR2 right(200, 100);
    (*sprite)->Begin(D3DXSPRITE_ALPHABLEND);
    DrawSpriteTransformed(sprite, white->texture, &source, 0xFFFF0000, 0, 0.25f, &centre, &scale,
                          &left, 0);
    DrawSpriteTransformed(sprite, white->texture, &source, 0xFF00FF00, 0, 0.75f, &centre, &scale,
                          &left, 0);
    DrawSpriteTransformed(sprite, white->texture, &source, 0xFF00FF00, 0, 0.75f, &centre, &scale,
                          &right, 0);
    DrawSpriteTransformed(sprite, white->texture, &source, 0xFFFF0000, 0, 0.25f, &centre, &scale,
                          &right, 0);
    (*sprite)->End();
    EXPECT_EQ(Screen().At(100, 100), 0xFFFF0000u);
    EXPECT_EQ(Screen().At(200, 100), 0xFFFF0000u);
}

TEST_F(SpriteDrawingTest, TexturedQuadMirrorsWithNegativeDeltas) {
    DrawTexturedQuad(picture, 199.5f, 99.5f, 0.0f, 32, 32, 1.0f, 0.0f, -1.0f, 1.0f, 0xFFFFFFFF);
    DrawTexturedQuad(picture, 299.5f, 99.5f, 0.0f, 32, 32, 0.0f, 1.0f, 1.0f, -1.0f, 0xFFFFFFFF);
    Image expected = MakeImage(kWidth, kHeight, [](int x, int y) {
        if (y >= 100 && y < 132 && x >= 200 && x < 232) {
            return Texel(31 - (x - 200), y - 100);
        }
        if (y >= 100 && y < 132 && x >= 300 && x < 332) {
            return Texel(x - 300, 31 - (y - 100));
        }
        return 0xFF000000u;
    });
    EXPECT_TRUE(PicturesMatch(Screen(), expected, "quad_mirrored"));
    DWORD value = 0;
    device->GetTextureStageState(0, D3DTSS_ALPHAOP, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTOP_MODULATE)) << "the stage states stay as set";
}

TEST_F(SpriteDrawingTest, TexturedQuadOfAFailedLoadIsWhiteModulatedByTheColour) {
    CTexture* missing = CTexture::Load("Missing");
    ASSERT_EQ(missing->texture, nullptr);
    DrawTexturedQuad(missing, 9.5f, 9.5f, 0.0f, 4, 4, 0, 0, 1, 1, 0xFF8040C0);
    EXPECT_EQ(Screen().At(10, 10), 0xFF8040C0u);
    EXPECT_EQ(Screen().At(13, 13), 0xFF8040C0u);
    EXPECT_EQ(Screen().At(14, 14), 0xFF000000u);
}

}  // namespace
