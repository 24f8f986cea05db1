// The game's worst frame drawn the way the game draws it, through the device, the D3DX sprite and
// the graphics primitives: the background (8 layers of a 512 x 512 region scaled four times,
// rotated, ONE/ONE, bilinear) on the back buffer and again in the off-screen play field; the
// play field (81 cells and their shadows, the rhythm indicators and a few objects, 32 x 32
// sprites, alpha-blended and depth-tested) in a 640 x 480 render target; 40 text glyphs as
// textured quads; the play field copied to the screen; two full-screen fades.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "d3d9.h"
#include "d3dx9.h"
#include "frame/SharedContext.h"
#include "graphics/CDepthStencil.h"
#include "graphics/CTexture.h"
#include "graphics/SharedSprite.h"
#include "graphics/SpriteDrawing.h"
#include "support/PicturePng.h"
#include "test_seam.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

platform::testing::Image Noise(int size, bool holes) {
    platform::testing::Image image;
    image.width = image.height = size;
    uint32_t seed = 12345;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const bool hole = holes && (x / 4 + y / 4) % 5 == 0;
            image.pixels.push_back(hole ? 0xFFFF00FFu : 0xFF000000u | (seed >> 8 & 0xFFFFFF));
        }
    }
    return image;
}

struct FadeVertex {
    float x, y, z;
    D3DCOLOR color;
};

class GameFrame {
  public:
    GameFrame() {
        platform::testing::StartHeadless();
        platform::testing::HeadlessDevice headless;
        platform::testing::CreateHeadlessDevice(kWidth, kHeight, &headless);
        window = headless.window;
        d3d = headless.d3d;
        device = headless.device;
        SharedContext.device = device;
        D3DXCreateSprite(device, GetSharedSprite());
        sprite = GetSharedSprite();

        const auto folder = std::filesystem::temp_directory_path() /
                            ("pokutan_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        pokutan_test::SavePicturePng(Noise(512, false), (folder / "Background.png").string());
        pokutan_test::SavePicturePng(Noise(256, true), (folder / "Image.png").string());
        pokutan_test::SavePicturePng(Noise(512, true), (folder / "Font.png").string());
        CTexture::SetDirectory(folder.string() + "/");
        CTexture::SetExtension(".png");
        background = CTexture::Load("Background");
        atlas = CTexture::Load("Image");
        font = CTexture::Load("Font");
        std::filesystem::remove_all(folder);
        CTexture::Create(kWidth, kHeight, "Render");
        CDepthStencil::Create(kWidth, kHeight, "Render");
    }

    void Draw() {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000,
                      1.0f, 0);
        device->BeginScene();
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
        DrawBackground();
        DrawPlayField();
        DrawFade();
        DrawFade();
        device->EndScene();
    }

  private:
    void DrawBackground() {
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
        device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_ANISOTROPIC);
        device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_ANISOTROPIC);
        (*sprite)->Begin(0);
        const RECT source = {0, 0, 512, 512};
        const D3DXVECTOR2 centre(256, 256), scale(4, 4), at(320, 240);
        for (int k = 0; k < 8; ++k) {
            DrawSpriteTransformed(sprite, background->texture, &source, 0xFF402010,
                                  angle + 37.0f * static_cast<float>(k), 1.0f, &centre, &scale, &at,
                                  0);
        }
        (*sprite)->End();
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_NONE);
        device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_NONE);
        angle += 0.1f;
    }

    void DrawCell(int column, int row, float x, float y, float z, D3DCOLOR colour) {
        const RECT source = {column * 32, row * 32, column * 32 + 32, row * 32 + 32};
        const D3DXVECTOR2 centre(16, 16), scale(1, 1), at(x, y);
        DrawSpriteTransformed(sprite, atlas->texture, &source, colour, 0.0f, z, &centre, &scale,
                              &at, 0);
    }

    void DrawPlayField() {
        CTexture* render = CTexture::Get("Render");
        IDirect3DSurface9 *savedTarget = nullptr, *savedDepth = nullptr, *level = nullptr;
        device->GetRenderTarget(0, &savedTarget);
        device->GetDepthStencilSurface(&savedDepth);
        render->texture->GetSurfaceLevel(0, &level);
        device->SetRenderTarget(0, level);
        device->SetDepthStencilSurface(CDepthStencil::Get("Render")->surface);
        level->Release();
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000,
                      1.0f, 0);
        DrawBackground();
        (*sprite)->Begin(D3DXSPRITE_ALPHABLEND);
        for (int i = 0; i < 4; ++i) {
            const float x = (static_cast<float>(i) - 1.5f) * 32.0f + 320.0f;
            DrawCell(i, 3, x + 4, 452, 0.0f, 0xFF000000);
            DrawCell(i, 3, x, 448, 0.0f, i == 1 ? 0xFFFF0000 : 0xFFFFFFFF);
        }
        for (int pass = 0; pass < 2; ++pass) {
            for (int cell = 0; cell < 81; ++cell) {
                const float cx = static_cast<float>(cell % 9 - 4) * 32.0f + 320.0f;
                const float cy = static_cast<float>(cell / 9 - 4) * 32.0f + 240.0f;
                if (pass == 0) {
                    DrawCell(cell % 5, 0, cx + 4, cy + 4, 1.0f, 0xFF000000);
                } else {
                    DrawCell(cell % 5, 0, cx, cy, 0.75f, 0xFFFFFFFF);
                }
            }
        }
        DrawCell(0, 1, 192, 112, 0.0f, 0xFFFFFFFF);
        DrawCell(2, 0, 448, 368, 0.5f, 0xFFFFFFFF);
        DrawCell(1, 2, 416, 368, 0.0f, 0xFFFFFFFF);
        for (int glyph = 0; glyph < 40; ++glyph) {
            const float x = static_cast<float>(glyph % 20) * 32.0f + 0.5f;
            const float y = static_cast<float>(glyph / 20) * 4.0f + 0.5f;
            DrawTexturedQuad(font, x, y, 0.0f, 32, 32, static_cast<float>(glyph % 16) * 0.0625f,
                             0.125f, 0.0625f, 0.0625f, glyph < 20 ? 0xFF000000 : 0xFFFFFFFF);
        }
        (*sprite)->End();
        device->SetRenderTarget(0, savedTarget);
        device->SetDepthStencilSurface(savedDepth);
        savedTarget->Release();
        savedDepth->Release();
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000,
                      1.0f, 0);
        (*sprite)->Begin(D3DXSPRITE_ALPHABLEND);
        const RECT whole = {0, 0, kWidth, kHeight};
        const D3DXVECTOR2 shake(3, -2);
        DrawSprite(sprite, render->texture, &whole, 0xFFFFFFFF, &shake);
        (*sprite)->End();
    }

    void DrawFade() {
        const FadeVertex quad[4] = {{-1, 1, 0, 0x80000000},
                                    {1, 1, 0, 0x80000000},
                                    {-1, -1, 0, 0x80000000},
                                    {1, -1, 0, 0x80000000}};
        device->SetTexture(0, nullptr);
        device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]);
    }

    HWND window = nullptr;
    IDirect3D9* d3d = nullptr;
    IDirect3DDevice9* device = nullptr;
    ID3DXSprite** sprite = nullptr;
    CTexture* background = nullptr;
    CTexture* atlas = nullptr;
    CTexture* font = nullptr;
    float angle = 10.0f;
};

void BM_DeviceWorstFrame(benchmark::State& state) {
    static GameFrame frame;  // the registries it fills live for the whole process anyway
    for (auto _ : state) {
        frame.Draw();
    }
}
BENCHMARK(BM_DeviceWorstFrame)->Unit(benchmark::kMillisecond);

}  // namespace
