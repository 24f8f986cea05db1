// The D3DX sprite on a device: placement with centre, position and transform, colour
// modulation, alpha test and blending, submission order, and the device state kept and
// restored around Begin and End.
#include <algorithm>

#include "d3dx9.h"
#include "platform/d3d9/device_fixture.h"

namespace {

using platform::testing::Image;
using pokutan_test::MakeImage;
using pokutan_test::PicturesMatch;

uint32_t Numbered(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 16) << 16 | static_cast<uint32_t>(y * 16) << 8;
}

class SpriteDrawing : public pokutan_test::DeviceFixture {
  protected:
    void SetUp() override {
        DeviceFixture::SetUp();
        ASSERT_EQ(D3DXCreateSprite(device, &sprite), D3D_OK);
        texture = MakeTexture(8, 8, Numbered);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    }
    void TearDown() override {
        if (texture) {
            texture->Release();
        }
        if (sprite) {
            sprite->Release();
        }
        DeviceFixture::TearDown();
    }

    ID3DXSprite* sprite = nullptr;
    IDirect3DTexture9* texture = nullptr;
};

TEST_F(SpriteDrawing, UnscaledSpriteMapsTexelsOneToOneAtPositionMinusCentre) {
    const RECT source = {2, 1, 6, 7};
    const D3DXVECTOR3 centre(1, 2, 0);
    const D3DXVECTOR3 position(11, 22, 0);
    ASSERT_EQ(sprite->Begin(0), D3D_OK);
    ASSERT_EQ(sprite->Draw(texture, &source, &centre, &position, 0xFFFFFFFF), D3D_OK);
    ASSERT_EQ(sprite->End(), D3D_OK);
    const Image expected = MakeImage(kSize, kSize, [](int x, int y) {
        const bool inside = x >= 10 && x < 14 && y >= 20 && y < 26;
        return inside ? Numbered(x - 10 + 2, y - 20 + 1) : 0xFF000000u;
    });
    EXPECT_TRUE(PicturesMatch(Screen(), expected, "sprite_one_to_one"));
}

TEST_F(SpriteDrawing, TransformScalesAndMovesAndColourModulates) {
    IDirect3DTexture9* white = MakeTexture(4, 4, [](int, int) { return 0xFFFFFFFFu; });
    D3DXMATRIX scale, move, both;
    D3DXMatrixScaling(&scale, 2, 3, 1);
    D3DXMatrixTranslation(&move, 20, 10, 0);
    D3DXMatrixMultiply(&both, &scale, &move);
    sprite->Begin(0);
    sprite->SetTransform(&both);
    sprite->Draw(white, nullptr, nullptr, nullptr, 0xFF8040C0);
    D3DXMATRIX read;
    sprite->GetTransform(&read);
    EXPECT_EQ(read._41, 20.0f);
    sprite->End();
    const Image expected = MakeImage(kSize, kSize, [](int x, int y) {
        return x >= 20 && x < 28 && y >= 10 && y < 22 ? 0xFF8040C0u : 0xFF000000u;
    });
    EXPECT_TRUE(PicturesMatch(Screen(), expected, "sprite_transform"));
    white->Release();
}

TEST_F(SpriteDrawing, TransparentTexelsAreDroppedAndWriteNoDepth) {
    IDirect3DTexture9* holed =
        MakeTexture(4, 4, [](int x, int) { return x < 2 ? 0x00000000u : 0xFFFF0000u; });
    IDirect3DTexture9* green = MakeTexture(4, 4, [](int, int) { return 0xFF00FF00u; });
    const D3DXVECTOR3 near(0, 0, 0.25f);
    const D3DXVECTOR3 far(0, 0, 0.5f);
    sprite->Begin(0);
    sprite->Draw(holed, nullptr, nullptr, &near, 0xFFFFFFFF);
    sprite->Flush();
    sprite->Draw(green, nullptr, nullptr, &far, 0xFFFFFFFF);
    sprite->End();
    const Image screen = Screen();
    EXPECT_EQ(screen.At(0, 0), 0xFF00FF00u) << "the hole let the farther sprite through";
    EXPECT_EQ(screen.At(3, 0), 0xFFFF0000u) << "the nearer texels kept theirs";
    holed->Release();
    green->Release();
}

TEST_F(SpriteDrawing, AlphaBlendFlagBlendsAndFlagsZeroKeepTheDevicesBlending) {
    IDirect3DTexture9* half = MakeTexture(4, 4, [](int, int) { return 0x80FFFFFFu; });
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000080, 1.0f, 0);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    const D3DXVECTOR3 left(0, 0, 0);
    const D3DXVECTOR3 right(8, 0, 0);
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
    sprite->Draw(half, nullptr, nullptr, &left, 0xFFFF0000);
    sprite->End();
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    sprite->Begin(0);
    sprite->Draw(half, nullptr, nullptr, &right, 0xFF00FF00);
    sprite->End();
    const Image screen = Screen();
    EXPECT_LE(pokutan_test::LargestChannelDifference(screen.At(1, 1), 0xFF80003Fu), 1)
        << std::hex << screen.At(1, 1);
    EXPECT_EQ(screen.At(9, 1), 0xFF00FF80u) << "ONE/ONE adds the colour";
    half->Release();
}

TEST_F(SpriteDrawing, LaterSpritesCoverEarlierOnesAndEachKeepsItsTransform) {
    IDirect3DTexture9* red = MakeTexture(4, 4, [](int, int) { return 0xFFFF0000u; });
    IDirect3DTexture9* blue = MakeTexture(4, 4, [](int, int) { return 0xFF0000FFu; });
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    D3DXMATRIX move;
    sprite->Begin(0);
    D3DXMatrixTranslation(&move, 10, 10, 0);
    sprite->SetTransform(&move);
    sprite->Draw(red, nullptr, nullptr, nullptr, 0xFFFFFFFF);
    D3DXMatrixTranslation(&move, 12, 12, 0);
    sprite->SetTransform(&move);
    sprite->Draw(blue, nullptr, nullptr, nullptr, 0xFFFFFFFF);
    EXPECT_EQ(Screen().At(10, 10), 0xFF000000u) << "nothing is drawn before Flush or End";
    sprite->End();
    const Image screen = Screen();
    EXPECT_EQ(screen.At(10, 10), 0xFFFF0000u);
    EXPECT_EQ(screen.At(13, 13), 0xFF0000FFu);
    EXPECT_EQ(screen.At(15, 15), 0xFF0000FFu);
    red->Release();
    blue->Release();
}

TEST_F(SpriteDrawing, StatesSetAfterBeginHoldForEveryDrawOfTheBatch) {
    // The additive idiom: the sprite's alpha blending, then the caller's own ONE destination.
    IDirect3DTexture9* dim = MakeTexture(4, 4, [](int, int) { return 0xFF101010u; });
    IDirect3DTexture9* dimRed = MakeTexture(4, 4, [](int, int) { return 0xFF100000u; });
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    const D3DXVECTOR3 position(8, 8, 0);
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    for (int layer = 0; layer < 8; ++layer) {
        // Changing textures and flushing on the way, as a long batch does.
        sprite->Draw(layer % 2 ? dimRed : dim, nullptr, nullptr, &position, 0xFFFFFFFF);
        if (layer == 3) {
            sprite->Flush();
        }
    }
    sprite->End();
    const Image expected = MakeImage(kSize, kSize, [](int x, int y) {
        const bool inside = x >= 8 && x < 12 && y >= 8 && y < 12;
        return inside ? 0xFF804040u : 0xFF000000u;
    });
    EXPECT_TRUE(PicturesMatch(Screen(), expected, "sprite_additive_layers"));
    DWORD value = 0;
    device->GetRenderState(D3DRS_DESTBLEND, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DBLEND_ZERO)) << "End still puts the device's back";
    dim->Release();
    dimRed->Release();
}

TEST_F(SpriteDrawing, MinifiedSpriteReadsTheMipChain) {
    // Level 0 white, every smaller level red: a sprite shown at a quarter size is red only
    // when it is sampled from the mip chain.
    IDirect3DTexture9* chained = nullptr;
    ASSERT_EQ(
        device->CreateTexture(16, 16, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &chained, nullptr),
        D3D_OK);
    for (UINT level = 0; level < chained->GetLevelCount(); ++level) {
        D3DSURFACE_DESC desc;
        D3DLOCKED_RECT locked;
        chained->GetLevelDesc(level, &desc);
        ASSERT_EQ(chained->LockRect(level, &locked, nullptr, 0), D3D_OK);
        for (UINT y = 0; y < desc.Height; ++y) {
            auto* row =
                reinterpret_cast<uint32_t*>(static_cast<char*>(locked.pBits) + y * locked.Pitch);
            std::fill(row, row + desc.Width, level == 0 ? 0xFFFFFFFFu : 0xFFFF0000u);
        }
        chained->UnlockRect(level);
    }
    D3DXMATRIX quarter;
    D3DXMatrixScaling(&quarter, 0.25f, 0.25f, 1);
    sprite->Begin(0);  // over the device's default: no mip filter
    sprite->SetTransform(&quarter);
    const D3DXVECTOR3 position(40, 40, 0);
    sprite->Draw(chained, nullptr, nullptr, &position, 0xFFFFFFFF);
    sprite->End();
    DWORD value = 0;
    device->GetSamplerState(0, D3DSAMP_MIPFILTER, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_NONE)) << "End puts the device's back";

    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_POINT);
    sprite->Begin(0);
    device->GetSamplerState(0, D3DSAMP_MIPFILTER, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_LINEAR));
    sprite->End();
    device->GetSamplerState(0, D3DSAMP_MIPFILTER, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_POINT));
    const Image expected = MakeImage(kSize, kSize, [](int x, int y) {
        const bool inside = x >= 10 && x < 14 && y >= 10 && y < 14;
        return inside ? 0xFFFF0000u : 0xFF000000u;
    });
    EXPECT_TRUE(PicturesMatch(Screen(), expected, "sprite_minified_mip_chain"));
    chained->Release();
}

TEST_F(SpriteDrawing, BeginSetsItsStatesAndEndPutsTheDevicesBack) {
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_ANISOTROPIC);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
    device->SetFVF(D3DFVF_XYZ);
    device->SetTexture(0, texture);
    D3DMATRIX projection = {};
    projection._11 = projection._22 = projection._33 = projection._44 = 0.5f;
    device->SetTransform(D3DTS_PROJECTION, &projection);

    DWORD value = 0;
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DCULL_NONE));
    device->GetRenderState(D3DRS_SRCBLEND, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DBLEND_SRCALPHA));
    device->GetRenderState(D3DRS_ALPHAFUNC, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DCMP_GREATER));
    device->GetSamplerState(0, D3DSAMP_ADDRESSU, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTADDRESS_CLAMP));
    device->GetRenderState(D3DRS_ZENABLE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DZB_TRUE)) << "depth states are left alone";
    IDirect3DTexture9* other = MakeTexture(2, 2, [](int, int) { return 0xFFFFFFFFu; });
    sprite->Draw(other, nullptr, nullptr, nullptr, 0xFFFFFFFF);
    sprite->End();

    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DCULL_CW));
    device->GetRenderState(D3DRS_SRCBLEND, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DBLEND_ONE));
    device->GetRenderState(D3DRS_ALPHATESTENABLE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(FALSE));
    device->GetSamplerState(0, D3DSAMP_MINFILTER, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_ANISOTROPIC));
    device->GetTextureStageState(0, D3DTSS_ALPHAOP, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTOP_SELECTARG2));
    device->GetFVF(&value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DFVF_XYZ));
    D3DMATRIX read;
    device->GetTransform(D3DTS_PROJECTION, &read);
    EXPECT_EQ(read._11, 0.5f);
    IDirect3DBaseTexture9* bound = nullptr;
    device->GetTexture(0, &bound);
    EXPECT_EQ(bound, texture);
    bound->Release();
    device->SetTexture(0, nullptr);
    other->Release();
}

TEST_F(SpriteDrawing, CallsOutOfOrderFailAndLostDeviceDropsTheDefaultPoolObjects) {
    EXPECT_EQ(sprite->Draw(texture, nullptr, nullptr, nullptr, 0xFFFFFFFF), D3DERR_INVALIDCALL);
    EXPECT_EQ(sprite->End(), D3DERR_INVALIDCALL);
    EXPECT_EQ(sprite->Flush(), D3DERR_INVALIDCALL);
    ASSERT_EQ(sprite->Begin(0), D3D_OK);
    EXPECT_EQ(sprite->Begin(0), D3DERR_INVALIDCALL);
    EXPECT_EQ(sprite->Draw(nullptr, nullptr, nullptr, nullptr, 0xFFFFFFFF), D3DERR_INVALIDCALL);
    EXPECT_EQ(sprite->End(), D3D_OK);

    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 1);
    sprite->OnLostDevice();
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 0);
    D3DPRESENT_PARAMETERS again = parameters;
    ASSERT_EQ(device->Reset(&again), D3D_OK);
    sprite->OnResetDevice();
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 1);
    sprite->Begin(0);
    const D3DXVECTOR3 position(5, 5, 0);
    sprite->Draw(texture, nullptr, nullptr, &position, 0xFFFFFFFF);
    sprite->End();
    EXPECT_EQ(Screen().At(5, 5), Numbered(0, 0)) << "drawing works after the reset";
}

}  // namespace
