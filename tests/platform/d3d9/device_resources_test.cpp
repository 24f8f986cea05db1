// The device's resources: states and their defaults, textures, levels and locking, depth
// stencils, render-target binding, reference counts and the default-pool rule at Reset.
#include "platform/d3d9/device_fixture.h"

namespace {

class DeviceResources : public pokutan_test::DeviceFixture {
  protected:
    // The device's reference count, without changing it.
    ULONG DeviceReferences() {
        device->AddRef();
        return device->Release();
    }
    int DefaultPool() { return platform::testing::DefaultPoolObjects(device); }
    HRESULT ResetDevice() {
        D3DPRESENT_PARAMETERS again = parameters;
        return device->Reset(&again);
    }
};

TEST_F(DeviceResources, StatesStartAtDirect3DsDefaultsAndReadBack) {
    DWORD value = 0;
    device->GetRenderState(D3DRS_ZENABLE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DZB_TRUE));
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DCULL_CCW));
    device->GetRenderState(D3DRS_SRCBLEND, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DBLEND_ONE));
    device->GetTextureStageState(0, D3DTSS_ALPHAOP, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTOP_SELECTARG1));
    device->GetSamplerState(0, D3DSAMP_ADDRESSU, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTADDRESS_WRAP));
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->GetSamplerState(0, D3DSAMP_MINFILTER, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_LINEAR));
    EXPECT_EQ(device->SetSamplerState(99, D3DSAMP_MINFILTER, 0), D3DERR_INVALIDCALL);

    D3DMATRIX matrix = {};
    matrix._11 = 2.0f;
    device->SetTransform(D3DTS_PROJECTION, &matrix);
    D3DMATRIX read = {};
    device->GetTransform(D3DTS_PROJECTION, &read);
    EXPECT_EQ(read._11, 2.0f);
    device->GetTransform(D3DTS_WORLD, &read);
    EXPECT_EQ(read._11, 1.0f);
    device->SetFVF(0x144);
    device->GetFVF(&value);
    EXPECT_EQ(value, 0x144u);

    // Reset puts every state back to its default.
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    ASSERT_EQ(ResetDevice(), D3D_OK);
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DCULL_CCW));
}

TEST_F(DeviceResources, TextureLevelsDescribeTheChainAndLockWithARectangle) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(
        device->CreateTexture(32, 8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 6u);
    D3DSURFACE_DESC desc;
    ASSERT_EQ(texture->GetLevelDesc(3, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 4u);
    EXPECT_EQ(desc.Height, 1u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(texture->GetLevelDesc(6, &desc), D3DERR_INVALIDCALL);

    RECT rect = {4, 2, 6, 4};
    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(0, &locked, &rect, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, 32 * 4);
    static_cast<uint32_t*>(locked.pBits)[1] = 0x12345678;
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL) << "locked twice";
    texture->UnlockRect(0);
    EXPECT_EQ(platform::testing::ReadTextureLevel(texture, 0).At(5, 2), 0x12345678u);
    RECT outside = {30, 0, 33, 1};
    EXPECT_EQ(texture->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    texture->Release();
}

TEST_F(DeviceResources, InvalidCreationsFailAndLeaveTheOutputNull) {
    IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(1);
    EXPECT_EQ(
        device->CreateTexture(0, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(device->CreateTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                    D3DPOOL_MANAGED, &texture, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(
        device->CreateTexture(100000, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3DERR_INVALIDCALL);
    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(device->CreateDepthStencilSurface(8, 8, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, TRUE,
                                                &surface, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(DefaultPool(), 0);
}

TEST_F(DeviceResources, ResetFailsWhileAnyDefaultPoolObjectIsAlive) {
    const ULONG base = DeviceReferences();
    IDirect3DTexture9* target = nullptr;
    IDirect3DSurface9* depth = nullptr;
    ASSERT_EQ(device->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                    D3DPOOL_DEFAULT, &target, nullptr),
              D3D_OK);
    ASSERT_EQ(device->CreateDepthStencilSurface(16, 16, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, TRUE,
                                                &depth, nullptr),
              D3D_OK);
    EXPECT_EQ(DeviceReferences(), base + 2) << "each resource holds the device";
    EXPECT_EQ(DefaultPool(), 2);
    EXPECT_EQ(ResetDevice(), D3DERR_INVALIDCALL);

    // A level surface keeps its texture alive after the texture's own release.
    IDirect3DSurface9* level = nullptr;
    target->GetSurfaceLevel(0, &level);
    EXPECT_EQ(target->Release(), 1u);
    EXPECT_EQ(DefaultPool(), 2);
    level->Release();
    EXPECT_EQ(DefaultPool(), 1);
    depth->Release();
    EXPECT_EQ(DefaultPool(), 0);
    EXPECT_EQ(DeviceReferences(), base);
    EXPECT_EQ(ResetDevice(), D3D_OK);

    // Holding the back buffer counts too, as on Windows.
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetRenderTarget(0, &backBuffer);
    EXPECT_EQ(ResetDevice(), D3DERR_INVALIDCALL);
    backBuffer->Release();
    EXPECT_EQ(ResetDevice(), D3D_OK);
}

TEST_F(DeviceResources, BoundTargetsAndTexturesStayUsableUntilUnbound) {
    IDirect3DTexture9* target = nullptr;
    IDirect3DSurface9* depth = nullptr;
    IDirect3DSurface9* level = nullptr;
    device->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                          &target, nullptr);
    device->CreateDepthStencilSurface(16, 16, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, TRUE, &depth,
                                      nullptr);
    target->GetSurfaceLevel(0, &level);
    ASSERT_EQ(device->SetRenderTarget(0, level), D3D_OK);
    ASSERT_EQ(device->SetDepthStencilSurface(depth), D3D_OK);
    level->Release();
    target->Release();
    depth->Release();
    // Still set: drawing goes on into them, and they come back with the getters.
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF123456, 1.0f, 0);
    IDirect3DSurface9* current = nullptr;
    ASSERT_EQ(device->GetRenderTarget(0, &current), D3D_OK);
    EXPECT_EQ(platform::testing::ReadSurface(current).At(3, 3), 0xFF123456u);
    current->Release();
    EXPECT_EQ(DefaultPool(), 2);
    EXPECT_EQ(ResetDevice(), D3DERR_INVALIDCALL);

    // Unbinding frees them.
    IDirect3DSurface9* backBuffer = nullptr;
    IDirect3DSurface9* autoDepth = nullptr;
    device->GetRenderTarget(0, &backBuffer);  // the current one again
    backBuffer->Release();
    device->SetDepthStencilSurface(nullptr);
    EXPECT_EQ(device->GetDepthStencilSurface(&autoDepth), D3DERR_NOTFOUND);
    EXPECT_EQ(DefaultPool(), 1);
    EXPECT_EQ(device->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL) << "target 0 stays";
    ASSERT_EQ(ResetDevice(), D3DERR_INVALIDCALL);
}

TEST_F(DeviceResources, ResetRestoresTheBackBufferAndAutomaticDepthStencil) {
    IDirect3DSurface9* depth = nullptr;
    device->CreateDepthStencilSurface(64, 64, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0, TRUE, &depth,
                                      nullptr);
    device->SetDepthStencilSurface(depth);
    depth->Release();
    device->SetDepthStencilSurface(nullptr);  // frees it
    ASSERT_EQ(ResetDevice(), D3D_OK);
    IDirect3DSurface9* autoDepth = nullptr;
    ASSERT_EQ(device->GetDepthStencilSurface(&autoDepth), D3D_OK);
    D3DSURFACE_DESC desc;
    autoDepth->GetDesc(&desc);
    EXPECT_EQ(desc.Format, D3DFMT_D24S8);
    EXPECT_EQ(desc.Width, 64u);
    D3DLOCKED_RECT locked;
    EXPECT_EQ(autoDepth->LockRect(&locked, nullptr, 0), D3DERR_INVALIDCALL);
    autoDepth->Release();
}

TEST_F(DeviceResources, ReleasingTheDeviceWithATextureStillSetFreesBoth) {
    IDirect3DTexture9* texture = MakeTexture(4, 4, [](int, int) { return 0xFFFFFFFFu; });
    device->SetTexture(0, texture);
    IDirect3DBaseTexture9* read = nullptr;
    device->GetTexture(0, &read);
    EXPECT_EQ(read, texture);
    read->Release();
    texture->Release();
    // TearDown checks that the device goes with its last release; ASan checks the texture.
}

}  // namespace
