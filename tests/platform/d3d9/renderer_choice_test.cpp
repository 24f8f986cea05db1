// Which renderer a new device draws with, and the one line that says so: the software renderer
// when asked or when OpenGL is missing or fails at any step (injected through the seam), the
// GL renderer when forced, never unasked on a software OpenGL driver. Whatever runs draws.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "d3d9.h"
#include "renderer_seam.h"
#include "test_seam.h"

namespace {

using platform::testing::Failure;

class RendererChoice : public ::testing::Test {
  protected:
    // Starts headless with POKUTAN_RENDERER set to `renderer` (unset when null) and makes a
    // device; `videoDriver` replaces the headless video driver when given.
    void Start(const char* renderer, const char* videoDriver = nullptr) {
        if (renderer) {
            setenv("POKUTAN_RENDERER", renderer, 1);
        } else {
            unsetenv("POKUTAN_RENDERER");
        }
        platform::testing::StartHeadless();
        if (videoDriver) {
            setenv("SDL_VIDEODRIVER", videoDriver, 1);
        }
    }

    void MakeDevice() {
        platform::testing::ClearLogLines();
        ASSERT_TRUE(platform::testing::CreateHeadlessDevice(32, 32, &headless));
        // The choice is no failure: nothing goes to the failure log.
        EXPECT_TRUE(platform::testing::LogLines().empty());
    }

    // The renderer's stderr line.
    std::string Line() const { return platform::testing::RendererLine(); }

    // A clear of the back buffer reaches the read-back, whichever renderer runs.
    void ExpectDrawing() {
        IDirect3DDevice9* device = headless.device;
        ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF336699, 1.0f, 0), D3D_OK);
        const D3DRECT corner = {0, 0, 8, 8};
        ASSERT_EQ(device->Clear(1, &corner, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0), D3D_OK);
        const platform::testing::Image picture = platform::testing::ReadBackBuffer(device);
        ASSERT_EQ(picture.width, 32);
        EXPECT_EQ(picture.At(20, 20) & 0xFFFFFF, 0x336699u);
        EXPECT_EQ(picture.At(3, 3) & 0xFFFFFF, 0xFF0000u);
        EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    }

    void TearDown() override {
        if (headless.device) {
            EXPECT_EQ(headless.device->Release(), 0u);
        }
        if (headless.d3d) {
            headless.d3d->Release();
        }
        if (headless.window) {
            DestroyWindow(headless.window);
        }
        unsetenv("POKUTAN_RENDERER");
    }

    platform::testing::HeadlessDevice headless;
};

TEST_F(RendererChoice, SoftwareWhenAsked) {
    Start("software");
    MakeDevice();
    EXPECT_EQ(Line(), "pokutan: renderer software (POKUTAN_RENDERER=software)");
    ExpectDrawing();
}

TEST_F(RendererChoice, AWindowWithoutOpenGLFallsBackToSoftwareAndSaysWhy) {
    Start(nullptr);  // the dummy video driver has no OpenGL
    MakeDevice();
    EXPECT_EQ(Line(), "pokutan: renderer software (the window has no OpenGL (video driver dummy))");
    ExpectDrawing();
}

TEST_F(RendererChoice, ASoftwareOpenGLDriverIsNotUsedUnasked) {
    Start(nullptr, "offscreen");
    MakeDevice();
    const std::string line = Line();
    EXPECT_EQ(line.rfind("pokutan: renderer software (", 0), 0u) << line;
    EXPECT_NE(line.find("is a software OpenGL driver"), std::string::npos) << line;
    ExpectDrawing();
}

TEST_F(RendererChoice, ForcedGlRunsOnMesasSoftwareDriver) {
    Start("gl");
    MakeDevice();
    const std::string line = Line();
    EXPECT_EQ(line.rfind("pokutan: renderer gl (", 0), 0u) << line;
    EXPECT_NE(line.find("POKUTAN_RENDERER=gl"), std::string::npos) << line;
    ExpectDrawing();
}

TEST_F(RendererChoice, AContextThatCannotBeMadeFallsBackToSoftware) {
    Start("gl");
    platform::testing::InjectFailure(Failure::GlContext);
    MakeDevice();
    EXPECT_EQ(Line(), "pokutan: renderer software (no OpenGL context: injected failure)");
    ExpectDrawing();
}

TEST_F(RendererChoice, AShaderThatDoesNotCompileFallsBackToSoftware) {
    Start("gl");
    platform::testing::InjectFailure(Failure::GlShader);
    MakeDevice();
    const std::string line = Line();
    EXPECT_EQ(line.rfind("pokutan: renderer software (a shader did not compile", 0), 0u) << line;
    ExpectDrawing();
}

}  // namespace
