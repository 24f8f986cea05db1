// Release and restore around a device Reset, the same six steps in the same order both ways:
// effects, fonts (then the font registry's sprite), the model, shader and sound registries
// (only made sure to exist: nothing of theirs depends on the device), depth stencils, textures
// and the shared sprite.
// The debug text's font goes with the fonts: like every D3DX font it holds device state, and a
// Reset fails while any of that is still held, so leaving it out would end the game at the
// first device loss.
#include "graphics/DeviceResources.h"

#include "frame/SharedContext.h"
#include "graphics/CDebugText.h"
#include "graphics/CDepthStencilRegistry.h"
#include "graphics/CEffectRegistry.h"
#include "graphics/CFontRegistry.h"
#include "graphics/CModelRegistry.h"
#include "graphics/CShaderRegistry.h"
#include "graphics/CTextureRegistry.h"
#include "graphics/SharedSprite.h"
#include "sound/CSoundRegistry.h"

namespace {

// The shared sprite, made on the device first if nothing made it yet.
ID3DXSprite* SharedSprite() {
    ID3DXSprite** sprite = GetSharedSprite();
    if (!*sprite && SharedContext.device) {
        D3DXCreateSprite(SharedContext.device, sprite);
    }
    return *sprite;
}

ID3DXFont* DebugTextFont() {
    return SharedContext.device ? CDebugText::GetInstance()->font : nullptr;
}

}  // namespace

void ReleaseDeviceResources() {
    CEffectRegistry::GetInstance()->OnLostDevice();
    CFontRegistry::GetInstance()->OnLostDevice();
    if (ID3DXFont* font = DebugTextFont()) {
        font->OnLostDevice();
    }
    CModelRegistry::GetInstance();
    CShaderRegistry::GetInstance();
    CSoundRegistry::GetInstance();
    CDepthStencilRegistry::GetInstance()->OnLostDevice();
    CTextureRegistry::GetInstance()->OnLostDevice();
    if (ID3DXSprite* sprite = SharedSprite()) {
        sprite->OnLostDevice();
    }
}

void RestoreDeviceResources() {
    CEffectRegistry::GetInstance()->OnResetDevice();
    CFontRegistry::GetInstance()->OnResetDevice();
    if (ID3DXFont* font = DebugTextFont()) {
        font->OnResetDevice();
    }
    CModelRegistry::GetInstance();
    CShaderRegistry::GetInstance();
    CSoundRegistry::GetInstance();
    CDepthStencilRegistry::GetInstance()->OnResetDevice();
    CTextureRegistry::GetInstance()->OnResetDevice();
    if (ID3DXSprite* sprite = SharedSprite()) {
        sprite->OnResetDevice();
    }
}
