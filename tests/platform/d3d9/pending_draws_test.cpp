// Draws wait until a surface they touch is read, and a clear of their whole target and depth
// drops them unseen. Whatever the device keeps pending, every read must see the pixels of
// drawing at once: the read-back, LockRect, a draw sampling the target, a partial clear, a
// clear that keeps the depth the draws wrote, a texture released while a draw still samples it.
#include <algorithm>
#include <string>

#include "platform/d3d9/device_fixture.h"

namespace {

using pokutan_test::DeviceFixture;

int Drops() {
    const auto& trace = platform::testing::Trace();
    return static_cast<int>(std::count(trace.begin(), trace.end(), "Device.DropPendingDraws"));
}

class PendingDraws : public DeviceFixture {
  protected:
    void SetUp() override {
        DeviceFixture::SetUp();
        platform::testing::StartTrace();
    }

    IDirect3DTexture9* MakeTarget() {
        IDirect3DTexture9* target = nullptr;
        EXPECT_EQ(device->CreateTexture(kSize, kSize, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                        D3DPOOL_DEFAULT, &target, nullptr),
                  D3D_OK);
        return target;
    }

    // Source over destination with the alpha of the diffuse colour: a colour of alpha 0
    // changes no pixel, as a fade at rest.
    void BlendOver() {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    }

    int Waits() { return platform::testing::TraceCount("Device.DrawsWaitPastPresent"); }

    void ClearAll(D3DCOLOR color) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, color,
                      1.0f, 0);
    }
};

TEST_F(PendingDraws, AWholeClearDropsTheDrawsOfItsTargetButNotThoseOfAnother) {
    IDirect3DTexture9* target = MakeTarget();
    IDirect3DSurface9 *level = nullptr, *screen = nullptr, *screenDepth = nullptr;
    target->GetSurfaceLevel(0, &level);
    device->GetRenderTarget(0, &screen);
    device->GetDepthStencilSurface(&screenDepth);
    ClearAll(0xFF000000);
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFF0000FF);  // on the screen, wiped below
    device->SetRenderTarget(0, level);
    device->SetDepthStencilSurface(nullptr);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    DrawQuad(0, 0, 16, 16, 0.5f, 0xFFFF0000);  // in the texture, sampled below
    device->SetRenderTarget(0, screen);
    device->SetDepthStencilSurface(screenDepth);
    ClearAll(0xFF00FF00);
    EXPECT_EQ(Drops(), 1);
    device->SetTexture(0, target);
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
    device->SetTexture(0, nullptr);
    const platform::testing::Image shown = Screen();
    EXPECT_EQ(shown.At(3, 3), 0xFFFF0000u);
    EXPECT_EQ(shown.At(40, 40), 0xFF000000u);
    level->Release();
    screen->Release();
    screenDepth->Release();
    target->Release();
}

TEST_F(PendingDraws, AClearOfTheColourAloneKeepsTheDepthTheDrawsWrote) {
    ClearAll(0xFF000000);
    DrawQuad(0, 0, 64, 64, 0.25f, 0xFFFF0000);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFF00FF00);  // behind the first quad's depth
    EXPECT_EQ(Drops(), 0);
    EXPECT_EQ(Screen().At(10, 10), 0xFF0000FFu);
}

TEST_F(PendingDraws, APartialClearKeepsTheDrawOutsideItsRectangle) {
    ClearAll(0xFF000000);
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFF0000);
    const D3DRECT left = {0, 0, 32, 64};
    device->Clear(1, &left, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF00FF00, 1.0f, 0);
    D3DVIEWPORT9 corner = {0, 0, 16, 16, 0.0f, 1.0f};
    device->SetViewport(&corner);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FF, 1.0f, 0);
    EXPECT_EQ(Drops(), 0);
    const platform::testing::Image shown = Screen();
    EXPECT_EQ(shown.At(5, 5), 0xFF0000FFu);
    EXPECT_EQ(shown.At(20, 20), 0xFF00FF00u);
    EXPECT_EQ(shown.At(40, 40), 0xFFFF0000u);
}

TEST_F(PendingDraws, LockRectAndPresentSeeTheDrawsMadeBeforeThem) {
    IDirect3DTexture9* target = MakeTarget();
    IDirect3DSurface9 *level = nullptr, *screen = nullptr;
    target->GetSurfaceLevel(0, &level);
    device->GetRenderTarget(0, &screen);
    device->SetRenderTarget(0, level);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    DrawQuad(0, 0, 8, 8, 0.5f, 0xFFFF0000);
    D3DLOCKED_RECT locked;
    ASSERT_EQ(target->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(static_cast<const uint32_t*>(locked.pBits)[0], 0xFFFF0000u);
    target->UnlockRect(0);

    device->SetRenderTarget(0, screen);
    ClearAll(0xFF000000);
    DrawQuad(0, 0, 8, 8, 0.5f, 0xFF00FF00);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    // Presenting drew it: a clear of the whole screen now has nothing left to drop.
    ClearAll(0xFF000000);
    EXPECT_EQ(Drops(), 0);
    level->Release();
    screen->Release();
    target->Release();
}

TEST_F(PendingDraws, DrawsThatChangeNoColourWaitPastPresentInTheirOrder) {
    ClearAll(0xFF000000);
    BlendOver();
    DrawQuad(0, 0, 64, 64, 0.75f, 0xFFFF0000);
    DrawQuad(0, 0, 32, 64, 0.25f, 0x00FFFFFF);  // alpha 0: only its depth changes anything
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(Waits(), 1);
    // It still counts for what comes later: its depth holds off this quad on the left half.
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFF00FF00);
    const platform::testing::Image shown = Screen();
    EXPECT_EQ(shown.At(10, 10), 0xFFFF0000u);
    EXPECT_EQ(shown.At(40, 10), 0xFF00FF00u);

    // And the next frame's clear drops waiting draws unseen; a draw that writes no colour
    // channel waits too.
    ClearAll(0xFF000000);
    DrawQuad(0, 0, 64, 64, 0.5f, 0x00FFFFFF);
    device->SetRenderState(D3DRS_COLORWRITEENABLE, 0);
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(Waits(), 2);
    ClearAll(0xFF000000);
    EXPECT_EQ(Drops(), 1);
}

TEST_F(PendingDraws, PresentDrawsEverythingUpToTheLastVisibleDraw) {
    ClearAll(0xFF000000);
    BlendOver();
    DrawQuad(0, 0, 64, 64, 0.75f, 0x00FFFFFF);  // before a visible draw: it must run first
    device->SetRenderState(D3DRS_COLORWRITEENABLE, D3DCOLORWRITEENABLE_RED);
    DrawQuad(0, 0, 64, 64, 0.5f, 0x01FFFFFF);  // the least alpha, one channel: still visible
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(Waits(), 0);
    ClearAll(0xFF000000);
    EXPECT_EQ(Drops(), 0) << "presenting drew them all";
}

TEST_F(PendingDraws, ATextureReleasedWhileADrawSamplesItIsDrawnFirst) {
    IDirect3DTexture9* texture = MakeTexture(4, 4, [](int, int) { return 0xFF123456u; });
    ClearAll(0xFF000000);
    device->SetTexture(0, texture);
    DrawQuad(0, 0, 64, 64, 0.5f, 0xFFFFFFFF);
    device->SetTexture(0, nullptr);
    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(Screen().At(30, 30), 0xFF123456u);
}

TEST_F(PendingDraws, ManyDrawsWithoutAReadStillRunInOrder) {
    ClearAll(0xFF000000);
    for (int i = 0; i < 10000; ++i) {
        DrawQuad(static_cast<float>(i % 64), 0, static_cast<float>(i % 64 + 1), 64, 0.5f,
                 0xFF000000u | static_cast<uint32_t>(i));
    }
    // The last draw of each column wins: draws run in their order, however many waited.
    const platform::testing::Image shown = Screen();
    EXPECT_EQ(shown.At(0, 10), 0xFF000000u | 9984u);
    EXPECT_EQ(shown.At(15, 10), 0xFF000000u | 9999u);
    EXPECT_EQ(shown.At(16, 10), 0xFF000000u | (9920u + 16u));
}

}  // namespace
