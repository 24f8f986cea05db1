// Release and restore around a device Reset, the same six steps in the same order both ways:
// effects, fonts (then the font registry's sprite), the model, shader and sound registries
// (only made sure to exist: nothing of theirs depends on the device), depth stencils, textures
// and the shared sprite. The effect, font, model and shader kinds are not part of the game yet;
// their steps join with them.
#include "graphics/DeviceResources.h"

#include "frame/SharedContext.h"
#include "graphics/CDepthStencilRegistry.h"
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

}  // namespace

void ReleaseDeviceResources() {
    CSoundRegistry::GetInstance();
    CDepthStencilRegistry::GetInstance()->OnLostDevice();
    CTextureRegistry::GetInstance()->OnLostDevice();
    if (ID3DXSprite* sprite = SharedSprite()) {
        sprite->OnLostDevice();
    }
}

void RestoreDeviceResources() {
    CSoundRegistry::GetInstance();
    CDepthStencilRegistry::GetInstance()->OnResetDevice();
    CTextureRegistry::GetInstance()->OnResetDevice();
    if (ID3DXSprite* sprite = SharedSprite()) {
        sprite->OnResetDevice();
    }
}
