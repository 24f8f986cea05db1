// Releasing an effect's interface.
#include "graphics/CEffect.h"

CEffect::~CEffect() {
    if (effect) {
        effect->Release();
        effect = nullptr;
    }
}
