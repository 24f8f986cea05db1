// Release and restore around a device Reset, in the same order both ways.
#include "graphics/DeviceResources.h"

#include "graphics/SharedSprite.h"

namespace {

ID3DXSprite* SharedSprite() {
    return *GetSharedSprite();
}

}  // namespace

void ReleaseDeviceResources() {
    if (ID3DXSprite* sprite = SharedSprite()) {
        sprite->OnLostDevice();
    }
}

void RestoreDeviceResources() {
    if (ID3DXSprite* sprite = SharedSprite()) {
        sprite->OnResetDevice();
    }
}
