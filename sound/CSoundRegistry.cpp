// The sound registry's DirectSound object and its name table.
#include "sound/CSoundRegistry.h"

#include "frame/SharedContext.h"
#include "sound/CSound.h"

CSoundRegistry::CSoundRegistry() {
    // Neither result is looked at: without a device object, loads fail and say so.
    DirectSoundCreate8(nullptr, &directSound, nullptr);
    if (directSound) {
        directSound->SetCooperativeLevel(SharedContext.hWnd, DSSCL_EXCLUSIVE);
    }
}

CSoundRegistry::~CSoundRegistry() {
    // Releasing a buffer ends its playback, so sounds are not stopped first.
    sounds.DeleteAll();
    if (directSound) {
        directSound->Release();
        directSound = nullptr;
    }
}

CSound* CSoundRegistry::Load(std::string name) {
    return sounds.FindOrAdd(
        name, [&] { return new CSound(name); }, [] {});
}

CSound* CSoundRegistry::Get(std::string name) {
    return sounds.Get(name);
}
