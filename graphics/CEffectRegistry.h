// The effect registry: every CEffect of the run by name. This game requests none, so the
// table stays empty; the registry is still built at start-up and released at exit.
#pragma once

#include <string>

#include "graphics/CResourceRegistry.h"
#include "graphics/CResourceTable.h"

class CEffect;

class CEffectRegistry : public CResourceRegistry<CEffectRegistry> {
  public:
    // The effect of `name`, or null.
    CEffect* Get(std::string name) { return effects.Get(name); }

    // OnLostDevice of every effect that holds an interface, in name order.
    void OnLostDevice();
    // OnResetDevice of every effect that holds an interface, in name order.
    void OnResetDevice();

    CResourceTable<CEffect> effects;

  private:
    friend class CResourceRegistry<CEffectRegistry>;
    CEffectRegistry();
    ~CEffectRegistry();
};
