// The font registry's sprite, its name table and its part in the device-loss protocol.
#include "graphics/CFontRegistry.h"

#include "frame/SharedContext.h"
#include "graphics/CFont.h"

CFontRegistry::CFontRegistry() {
    // Not checked: without a sprite the frame leaves out the bracket it would draw in.
    if (SharedContext.device) {
        D3DXCreateSprite(SharedContext.device, &sprite);
    }
}

CFontRegistry::~CFontRegistry() {
    fonts.DeleteAll();
    if (sprite) {
        sprite->Release();
        sprite = nullptr;
    }
}

void CFontRegistry::OnLostDevice() {
    for (auto& [name, font] : fonts.entries) {
        if (font && font->font) {
            font->font->OnLostDevice();
        }
    }
    if (sprite) {
        sprite->OnLostDevice();
    }
}

void CFontRegistry::OnResetDevice() {
    for (auto& [name, font] : fonts.entries) {
        if (font && font->font) {
            font->font->OnResetDevice();
        }
    }
    if (sprite) {
        sprite->OnResetDevice();
    }
}
