// Shared fixture of the graphics tests: a headless 640 x 480 device (automatic D24S8 depth
// stencil) published in SharedContext as the frame would, texture files written into a
// folder of the test's own, and helpers to read the screen and compare pictures.
// Each test runs in its own process, so the registries start empty in every test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "d3d9.h"
#include "frame/SharedContext.h"
#include "graphics/CTexture.h"
#include "platform/d3d9/device_fixture.h"
#include "test_seam.h"

class GraphicsTest : public ::testing::Test {
  protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    void SetUp() override {
        platform::testing::StartHeadless();
        platform::testing::HeadlessDevice headless;
        bool created = platform::testing::CreateHeadlessDevice(kWidth, kHeight, &headless);
        window = headless.window;
        d3d = headless.d3d;
        device = headless.device;
        parameters = headless.parameters;
        ASSERT_TRUE(created);
        SharedContext.hWnd = window;
        SharedContext.device = device;
        SharedContext.screenWidth = kWidth;
        SharedContext.screenHeight = kHeight;
        folder = std::filesystem::temp_directory_path() /
                 ("pokutan_graphics_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        CTexture::SetDirectory(folder.string() + "/");
        CTexture::SetExtension(".png");
    }

    // The device is released by the registries' objects at exit, after the test.
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        if (device) {
            device->Release();
        }
        if (d3d) {
            d3d->Release();
        }
    }

    void WriteTextureFile(const std::string& name, const platform::testing::Image& picture) {
        ASSERT_TRUE(pokutan_test::SavePicturePng(picture, (folder / (name + ".png")).string()));
    }

    template <typename Colour>
    static platform::testing::Image Picture(int width, int height, Colour colour) {
        return pokutan_test::MakeImage(width, height, colour);
    }

    void ClearScreen(D3DCOLOR colour) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, colour,
                      1.0f, 0);
    }

    platform::testing::Image Screen() { return platform::testing::ReadBackBuffer(device); }

    HWND window = nullptr;
    IDirect3D9* d3d = nullptr;
    IDirect3DDevice9* device = nullptr;
    D3DPRESENT_PARAMETERS parameters = {};
    std::filesystem::path folder;
};
