// A headless window and a 64 x 64 windowed device with an automatic D24S8 depth stencil, for
// the device and D3DX tests; plus drawing helpers and a picture builder. Pictures are compared
// with support/PictureCompare.h.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "d3d9.h"
#include "support/PictureCompare.h"
#include "test_seam.h"

namespace pokutan_test {

struct ScreenQuadVertex {
    float x, y, z, rhw;
    D3DCOLOR color;
    float u, v;
};

class DeviceFixture : public ::testing::Test {
  protected:
    static constexpr int kSize = 64;

    void SetUp() override {
        platform::testing::StartHeadless();
        platform::testing::HeadlessDevice headless;
        bool created = platform::testing::CreateHeadlessDevice(kSize, kSize, &headless);
        window = headless.window;
        d3d = headless.d3d;
        device = headless.device;
        parameters = headless.parameters;
        ASSERT_TRUE(created);
    }

    void TearDown() override {
        if (device) {
            EXPECT_EQ(device->Release(), 0u) << "something still holds the device";
        }
        if (d3d) {
            d3d->Release();
        }
        DestroyWindow(window);
    }

    // A managed A8R8G8B8 texture of one level filled by fill(x, y).
    template <typename Fill>
    IDirect3DTexture9* MakeTexture(int width, int height, Fill fill) {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                        &texture, nullptr),
                  D3D_OK);
        D3DLOCKED_RECT locked;
        EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        for (int y = 0; y < height; ++y) {
            auto* row =
                reinterpret_cast<uint32_t*>(static_cast<char*>(locked.pBits) + y * locked.Pitch);
            for (int x = 0; x < width; ++x) {
                row[x] = fill(x, y);
            }
        }
        texture->UnlockRect(0);
        return texture;
    }

    // A pre-transformed quad over pixels [x0, x1) x [y0, y1) with the whole texture on it.
    void DrawQuad(float x0, float y0, float x1, float y1, float z, D3DCOLOR color) {
        const ScreenQuadVertex quad[4] = {{x0 - 0.5f, y0 - 0.5f, z, 1, color, 0, 0},
                                          {x1 - 0.5f, y0 - 0.5f, z, 1, color, 1, 0},
                                          {x0 - 0.5f, y1 - 0.5f, z, 1, color, 0, 1},
                                          {x1 - 0.5f, y1 - 0.5f, z, 1, color, 1, 1}};
        ASSERT_EQ(device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1), D3D_OK);
        ASSERT_EQ(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    }

    platform::testing::Image Screen() { return platform::testing::ReadBackBuffer(device); }

    HWND window = nullptr;
    IDirect3D9* d3d = nullptr;
    IDirect3DDevice9* device = nullptr;
    D3DPRESENT_PARAMETERS parameters = {};
};

// A picture of that size filled by colour(x, y).
template <typename Colour>
platform::testing::Image MakeImage(int width, int height, Colour colour) {
    platform::testing::Image image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(colour(x, y));
        }
    }
    return image;
}

}  // namespace pokutan_test
