// The fade's state machine and its overlay colour.
#include "game/CFade.h"

#include "d3d9.h"
#include "frame/SharedContext.h"

CFade longFade(2.0f);
CFade shortFade(0.5f);

namespace {

constexpr float kCoveredFrom = 0.45f;
constexpr float kCoveredUntil = 0.55f;

}  // namespace

CFade::CFade(float period)
    : vertices{{-1.0f, 1.0f, 0.0f, 0xFF000000},
               {1.0f, 1.0f, 0.0f, 0xFF000000},
               {-1.0f, -1.0f, 0.0f, 0xFF000000},
               {1.0f, -1.0f, 0.0f, 0xFF000000}},
      fadeTimer{0.0f, period, false, false} {}

void CFade::StartFade() {
    state = FADE_IN;
    color = D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f);
    fadeTimer.time = 0.0f;
}

void CFade::UpdateFade() {
    float a = fadeTimer.time / fadeTimer.period;
    float alpha = 0.0f;
    if (a >= 0.0f && a < kCoveredFrom) {
        state = FADE_IN;
        alpha = 2.0f * a;
    } else if (a >= kCoveredFrom && a < kCoveredUntil) {
        state = FADE_COVERED;
        alpha = 1.0f;
    } else if (a >= kCoveredUntil && a < 1.0f) {
        state = FADE_OUT;
        alpha = 1.0f - (a - 0.5f) * 2.0f;
    } else {
        state = FADE_IDLE;
    }
    color.a = alpha;
    D3DCOLOR packed = color;
    for (FadeVertex& vertex : vertices) {
        vertex.color = packed;
    }
    fadeTimer.AdvanceOnce();
}

void CFade::SetIdle() {
    state = FADE_IDLE;
    color = D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f);
    fadeTimer.time = fadeTimer.period;
}

void CFade::DrawFade() {
    IDirect3DDevice9* device = SharedContext.device;
    device->SetTexture(0, nullptr);
    device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(FadeVertex));
}
