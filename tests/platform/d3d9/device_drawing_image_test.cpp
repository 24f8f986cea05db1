// Drawing through the device: pre-transformed and transformed vertices, stage 0 texturing,
// blending, the depth test and drawing into a render-target texture, read back as pixels.
#include "platform/d3d9/device_fixture.h"

namespace {

using platform::testing::Image;
using pokutan_test::MakeImage;
using pokutan_test::PicturesMatch;

class DeviceDrawing : public pokutan_test::DeviceFixture {
  protected:
    void UntexturedOpaque() {
        device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
        device->SetTexture(0, nullptr);
    }
};

uint32_t Checker(int x, int y) {
    return ((x + y) & 1) ? 0xFFFF0000u : 0xFF0000FFu | (static_cast<uint32_t>(x * 16) << 8);
}

TEST_F(DeviceDrawing, PointSampledQuadCopiesTexelsOneToOne) {
    IDirect3DTexture9* texture = MakeTexture(16, 16, Checker);
    device->SetTexture(0, texture);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    DrawQuad(8, 4, 24, 20, 0.5f, 0xFFFFFFFF);
    const Image expected = MakeImage(kSize, kSize, [](int x, int y) {
        const bool inside = x >= 8 && x < 24 && y >= 4 && y < 20;
        return inside ? Checker(x - 8, y - 4) : 0xFF000000u;
    });
    EXPECT_TRUE(PicturesMatch(Screen(), expected, "device_point_quad"));
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(DeviceDrawing, AdditiveAndSourceAlphaBlending) {
    UntexturedOpaque();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF2040FF, 1.0f, 0);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    DrawQuad(0, 0, 32, 64, 0.0f, 0xFF404040);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    // By default alpha comes from the texture alone, and a missing texture is opaque white.
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    DrawQuad(32, 0, 64, 64, 0.0f, 0x80FF0000);
    const Image screen = Screen();
    EXPECT_EQ(screen.At(10, 10), 0xFF6080FFu);  // saturated blue stays 255
    EXPECT_LE(pokutan_test::LargestChannelDifference(screen.At(40, 10), 0xFF90207Fu), 1)
        << std::hex << screen.At(40, 10);
}

TEST_F(DeviceDrawing, DepthTestKeepsTheNearerQuadWhicheverComesFirst) {
    device->SetTexture(0, nullptr);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    DrawQuad(0, 0, 40, 40, 0.25f, 0xFFFF0000);  // near first
    DrawQuad(20, 20, 64, 64, 0.75f, 0xFF00FF00);
    DrawQuad(0, 40, 20, 64, 0.75f, 0xFF00FF00);  // far first
    DrawQuad(0, 30, 30, 64, 0.25f, 0xFFFF0000);
    const Image screen = Screen();
    EXPECT_EQ(screen.At(30, 30), 0xFFFF0000u);
    EXPECT_EQ(screen.At(50, 50), 0xFF00FF00u);
    EXPECT_EQ(screen.At(10, 50), 0xFFFF0000u);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    DrawQuad(0, 0, 40, 40, 0.75f, 0xFF0000FF);
    EXPECT_EQ(Screen().At(30, 30), 0xFF0000FFu) << "with z off the later quad wins";
}

TEST_F(DeviceDrawing, UntransformedQuadWithIdentityTransformsCoversTheViewport) {
    struct Vertex {
        float x, y, z;
        D3DCOLOR color;
    };
    const Vertex quad[4] = {{-1, 1, 0, 0xFF00FF00},
                            {1, 1, 0, 0xFF00FF00},
                            {-1, -1, 0, 0xFF00FF00},
                            {1, -1, 0, 0xFF00FF00}};
    UntexturedOpaque();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    D3DVIEWPORT9 half = {16, 16, 32, 32, 0, 1};
    ASSERT_EQ(device->SetViewport(&half), D3D_OK);
    ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    const Image expected = MakeImage(kSize, kSize, [](int x, int y) {
        return x >= 16 && x < 48 && y >= 16 && y < 48 ? 0xFF00FF00u : 0xFF000000u;
    });
    EXPECT_TRUE(PicturesMatch(Screen(), expected, "device_xyz_viewport"));

    // Lighting is on by default and no light can be set: the colour goes black.
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]);
    EXPECT_EQ(Screen().At(32, 32), 0xFF000000u);
}

TEST_F(DeviceDrawing, RenderTargetTextureIsDrawnIntoThenSampled) {
    IDirect3DTexture9* target = nullptr;
    ASSERT_EQ(device->CreateTexture(32, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                    D3DPOOL_DEFAULT, &target, nullptr),
              D3D_OK);
    IDirect3DSurface9* level = nullptr;
    IDirect3DSurface9* screen = nullptr;
    ASSERT_EQ(target->GetSurfaceLevel(0, &level), D3D_OK);
    ASSERT_EQ(device->GetRenderTarget(0, &screen), D3D_OK);
    ASSERT_EQ(device->SetRenderTarget(0, level), D3D_OK);
    D3DVIEWPORT9 viewport;
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 32u);
    EXPECT_EQ(viewport.Height, 16u);
    // The 64 x 64 depth stencil still serves the smaller target.
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF00FF00, 1.0f, 0);
    device->SetTexture(0, nullptr);
    DrawQuad(0, 0, 8, 16, 0.5f, 0xFFFF0000);
    level->Release();
    const Image drawn = platform::testing::ReadTextureLevel(target, 0);
    EXPECT_EQ(drawn.At(7, 15), 0xFFFF0000u);
    EXPECT_EQ(drawn.At(8, 0), 0xFF00FF00u);

    ASSERT_EQ(device->SetRenderTarget(0, screen), D3D_OK);
    screen->Release();
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 64u);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    device->SetTexture(0, target);
    DrawQuad(0, 0, 32, 16, 0.5f, 0xFFFFFFFF);
    device->SetTexture(0, nullptr);
    EXPECT_TRUE(PicturesMatch(
        Screen(),
        MakeImage(kSize, kSize,
                  [&](int x, int y) { return x < 32 && y < 16 ? drawn.At(x, y) : 0xFF000000u; }),
        "device_render_target"));
    target->Release();
}

}  // namespace
