// The effect registry's name table and its part in the device-loss protocol: effects keep
// their objects and only drop and rebuild their device state.
#include "graphics/CEffectRegistry.h"

#include "graphics/CEffect.h"

CEffectRegistry::CEffectRegistry() = default;

CEffectRegistry::~CEffectRegistry() {
    effects.DeleteAll();
}

void CEffectRegistry::OnLostDevice() {
    for (auto& [name, effect] : effects.entries) {
        if (effect && effect->effect) {
            effect->effect->OnLostDevice();
        }
    }
}

void CEffectRegistry::OnResetDevice() {
    for (auto& [name, effect] : effects.entries) {
        if (effect && effect->effect) {
            effect->effect->OnResetDevice();
        }
    }
}
