// The background's colour blend, its turning layers and their drawing.
#include "game/CBackground.h"

#include <cstdlib>

#include "frame/SharedContext.h"
#include "graphics/CTexture.h"
#include "graphics/SpriteDrawing.h"

namespace {

constexpr float kBright = 64.0f / 255.0f;
constexpr float kDark = 16.0f / 255.0f;
// Degrees per frame: even layers turn one way, odd ones the other, each faster than the last.
constexpr float kTurnPerFrame[BACKGROUND_LAYER_COUNT] = {0.1f, -0.2f, 0.3f, -0.4f,
                                                         0.5f, -0.6f, 0.7f, -0.8f};
constexpr float kLayerScale = 4.0f;
constexpr float kLayerSize = 512.0f;

// A random fraction in [0, 1).
float RandomFraction() {
    return static_cast<float>(std::rand() % 32767 / 32767.0);
}

D3DXCOLOR Blend(const D3DXCOLOR& from, const D3DXCOLOR& to, float t) {
    return D3DXCOLOR(from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
                     from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t);
}

void SetBlendAndFilter(DWORD sourceBlend, DWORD destinationBlend, DWORD filter) {
    IDirect3DDevice9* device = SharedContext.device;
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, sourceBlend);
    device->SetRenderState(D3DRS_DESTBLEND, destinationBlend);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, filter);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, filter);
}

}  // namespace

CBackground* CBackground::GetInstance() {
    static CBackground instance;
    return &instance;
}

CBackground::CBackground()
    : colors{{kBright, kDark, kDark, 1.0f}, {kBright, kBright, kDark, 1.0f},
             {kDark, kBright, kDark, 1.0f}, {kDark, kBright, kBright, 1.0f},
             {kDark, kDark, kBright, 1.0f}, {kBright, kDark, kBright, 1.0f}} {
    colorIndex = std::rand() % BACKGROUND_COLOR_COUNT;
    colorTimer.time = RandomFraction() * 2.0f;
}

void CBackground::UpdateBackground() {
    const float t = colorTimer.time / colorTimer.period;
    currentColor = Blend(colors[colorIndex % BACKGROUND_COLOR_COUNT],
                         colors[(colorIndex + 1) % BACKGROUND_COLOR_COUNT], t);
    colorTimer.AdvanceLoop();
    if (colorTimer.wrapped) {
        colorIndex = (colorIndex + 1) % BACKGROUND_COLOR_COUNT;
    }
    for (int k = 0; k < BACKGROUND_LAYER_COUNT; ++k) {
        angles[k] += kTurnPerFrame[k];
    }
}

void CBackground::DrawBackground() {
    SetBlendAndFilter(D3DBLEND_ONE, D3DBLEND_ONE, D3DTEXF_ANISOTROPIC);
    ID3DXSprite** sprite = SharedContext.sharedSprite;
    CTexture* texture = CTexture::Get("Background");
    // Without the shared sprite nothing can be drawn; the states are still put back.
    if (sprite && *sprite) {
        (*sprite)->Begin(0);
        const RECT source = {0, 0, static_cast<LONG>(kLayerSize), static_cast<LONG>(kLayerSize)};
        const D3DXVECTOR2 scale(kLayerScale, kLayerScale);
        const D3DXVECTOR2 centre(kLayerSize * 0.5f, kLayerSize * 0.5f);
        const D3DXVECTOR2 position(SharedContext.screenWidth * 0.5f,
                                   SharedContext.screenHeight * 0.5f);
        const D3DCOLOR colour = currentColor;
        for (int k = 0; k < BACKGROUND_LAYER_COUNT; ++k) {
            DrawSpriteTransformed(sprite, texture ? texture->texture : nullptr, &source, colour,
                                  angles[k], 1.0f, &centre, &scale, &position, 0);
        }
        (*sprite)->End();
    }
    SetBlendAndFilter(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, D3DTEXF_NONE);
}

void CBackground::ShuffleBackgroundAngles() {
    for (float& angle : angles) {
        angle = RandomFraction() * 360.0f;
    }
}
