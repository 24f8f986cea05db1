// The shadowed centred lines and the prompt colour of the title and clear screens.
#include "game/SceneText.h"

#include "game/SpriteFonts.h"
#include "graphics/CSpriteFont.h"

namespace {

constexpr float kShadowOffset = 4.0f;

}  // namespace

D3DCOLOR PromptColor(bool on) {
    const float v = on ? 1.0f : 0.0f;
    return D3DXCOLOR(1.0f, v, v, 1.0f);
}

void PrintWithShadow(float x, float y, D3DCOLOR shadowColor, D3DCOLOR textColor, const char* format,
                     int argument) {
    if (!spriteFont64) {
        return;
    }
    const D3DXVECTOR2 shadow(x + kShadowOffset, y + kShadowOffset);
    const D3DXVECTOR2 text(x, y);
    spriteFont64->PrintCentered(&shadow, shadowColor, format, argument);
    spriteFont64->PrintCentered(&text, textColor, format, argument);
}
