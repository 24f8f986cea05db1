// An effect (".fx" file) owned by the effect registry. No effect is compiled in this game; the
// kind keeps its folder, extension, its place in the device-loss protocol and its release.
#pragma once

#include "d3dx9.h"
#include "graphics/CEffectRegistry.h"
#include "graphics/CNamedResource.h"

class CEffect : public CNamedResource<CEffect, CEffectRegistry> {
  public:
    CEffect() = default;
    ~CEffect();
    CEffect(const CEffect&) = delete;
    CEffect& operator=(const CEffect&) = delete;

    static void OnLostDevice() { CEffectRegistry::GetInstance()->OnLostDevice(); }
    static void OnResetDevice() { CEffectRegistry::GetInstance()->OnResetDevice(); }

    ID3DXEffect* effect = nullptr;  // owned; may be null
};
