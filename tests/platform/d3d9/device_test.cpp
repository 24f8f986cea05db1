// The device: creation rules, parameters completed from the window, clears within the viewport,
// scenes, device loss and Reset.
#include <gtest/gtest.h>

#include "d3d9.h"
#include "d3dx9.h"
#include "test_seam.h"

namespace {

class D3D9DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::testing::StartHeadless();
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "D3D9DeviceTest";
        ASSERT_NE(RegisterClassExA(&wc), 0);
        window = CreateWindowExA(0, "D3D9DeviceTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 336, 279,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        d3d = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(d3d, nullptr);
        parameters.Windowed = TRUE;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.hDeviceWindow = window;
        parameters.EnableAutoDepthStencil = TRUE;
        parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    }

    void TearDown() override {
        if (device)
            device->Release();
        if (d3d)
            d3d->Release();
        DestroyWindow(window);
        UnregisterClassA("D3D9DeviceTest", nullptr);
    }

    void Create() {
        ASSERT_EQ(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                    D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, &device),
                  D3D_OK);
    }

    HWND window = nullptr;
    IDirect3D9* d3d = nullptr;
    IDirect3DDevice9* device = nullptr;
    D3DPRESENT_PARAMETERS parameters = {};
};

TEST_F(D3D9DeviceTest, WrongSdkVersionGivesNoDirect3D) {
    EXPECT_EQ(Direct3DCreate9(31), nullptr);
    IDirect3D9* debug = Direct3DCreate9(D3D_SDK_VERSION | 0x80000000);
    ASSERT_NE(debug, nullptr);
    debug->Release();
}

TEST_F(D3D9DeviceTest, WindowedParametersAreCompletedFromTheClientArea) {
    Create();
    EXPECT_EQ(parameters.BackBufferWidth, 320u);
    EXPECT_EQ(parameters.BackBufferHeight, 240u);
    EXPECT_EQ(parameters.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(parameters.BackBufferCount, 1u);
    D3DVIEWPORT9 viewport;
    device->GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 320u);
    EXPECT_EQ(viewport.Height, 240u);
}

TEST_F(D3D9DeviceTest, CreationRejectsBadArguments) {
    IDirect3DDevice9* out = reinterpret_cast<IDirect3DDevice9*>(1);
    EXPECT_EQ(
        d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                          D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                          &parameters, &out),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(out, nullptr);
    D3DPRESENT_PARAMETERS fullscreen = parameters;
    fullscreen.Windowed = FALSE;
    EXPECT_EQ(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                D3DCREATE_HARDWARE_VERTEXPROCESSING, &fullscreen, &out),
              D3DERR_INVALIDCALL);  // full screen needs a size
}

TEST_F(D3D9DeviceTest, ClearFillsTheViewportOnly) {
    Create();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030, 1.0f, 0);
    D3DVIEWPORT9 viewport = {10, 20, 30, 40, 0.0f, 1.0f};
    ASSERT_EQ(device->SetViewport(&viewport), D3D_OK);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00FFFFFF, 1.0f, 0);
    auto image = platform::testing::ReadBackBuffer(device);
    EXPECT_EQ(image.At(9, 20), 0xFF102030u);
    EXPECT_EQ(image.At(10, 20), 0xFFFFFFFFu);  // X8: alpha reads as opaque
    EXPECT_EQ(image.At(39, 59), 0xFFFFFFFFu);
    EXPECT_EQ(image.At(40, 59), 0xFF102030u);
    EXPECT_EQ(image.At(39, 60), 0xFF102030u);

    D3DRECT rect = {0, 0, 15, 25};
    device->Clear(1, &rect, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    image = platform::testing::ReadBackBuffer(device);
    EXPECT_EQ(image.At(12, 22), 0xFF000000u);
    EXPECT_EQ(image.At(15, 22), 0xFFFFFFFFu);
    EXPECT_EQ(image.At(5, 5), 0xFF102030u);

    D3DVIEWPORT9 outside = {300, 0, 30, 10, 0.0f, 1.0f};
    EXPECT_EQ(device->SetViewport(&outside), D3DERR_INVALIDCALL);
}

TEST_F(D3D9DeviceTest, ScenesDoNotNest) {
    Create();
    EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->BeginScene(), D3D_OK);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->EndScene(), D3D_OK);
}

TEST_F(D3D9DeviceTest, LossIsReportedUntilAResetAfterTheDeviceBecomesResettable) {
    Create();
    platform::testing::LoseDevice(device, 2);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Reset(&parameters), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

TEST_F(D3D9DeviceTest, ResetFailsWhileASpriteHoldsDeviceObjectsAndLeavesTheDeviceWaiting) {
    Create();
    ID3DXSprite* sprite = nullptr;
    ASSERT_EQ(D3DXCreateSprite(device, &sprite), D3D_OK);
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    sprite->OnLostDevice();
    sprite->OnLostDevice();  // twice is harmless
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    sprite->OnResetDevice();
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 1);
    sprite->Release();
    EXPECT_EQ(platform::testing::DefaultPoolObjects(device), 0);
}

TEST_F(D3D9DeviceTest, ObjectsMayBeReleasedInAnyOrder) {
    Create();
    ID3DXSprite* sprite = nullptr;
    ASSERT_EQ(D3DXCreateSprite(device, &sprite), D3D_OK);
    device->Release();
    device = nullptr;
    d3d->Release();
    d3d = nullptr;
    EXPECT_EQ(sprite->OnLostDevice(), D3D_OK);  // still holds its device
    sprite->Release();
}

TEST_F(D3D9DeviceTest, FullScreenResetTakesTheGivenSize) {
    Create();
    D3DPRESENT_PARAMETERS fullscreen = parameters;
    fullscreen.Windowed = FALSE;
    fullscreen.BackBufferWidth = 640;
    fullscreen.BackBufferHeight = 480;
    fullscreen.BackBufferFormat = D3DFMT_X8R8G8B8;
    ASSERT_EQ(device->Reset(&fullscreen), D3D_OK);
    EXPECT_EQ(platform::testing::ReadBackBuffer(device).width, 640);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 640);
    D3DPRESENT_PARAMETERS back = parameters;
    ASSERT_EQ(device->Reset(&back), D3D_OK);
    EXPECT_EQ(platform::testing::ReadBackBuffer(device).width, 320);
}

}  // namespace
