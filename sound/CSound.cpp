// Loading, playing and releasing one sound. Results of the play calls are not looked at.
#include "sound/CSound.h"

#include "frame/SharedContext.h"
#include "sound/WaveLoader.h"

namespace {

IDirectSound8* SharedDirectSound() {
    CSoundRegistry* registry = SharedContext.soundRegistry;
    return registry ? registry->directSound : nullptr;
}

}  // namespace

CSound::CSound(std::string name) {
    buffer = LoadWaveBuffer(SharedDirectSound(), PathOf(name));
}

CSound::~CSound() {
    if (buffer) {
        buffer->Release();
        buffer = nullptr;
    }
}

void CSound::PlayFromStart() {
    if (buffer) {
        buffer->SetCurrentPosition(0);
        buffer->Play(0, 0, 0);
    }
}

void CSound::Play() {
    if (buffer) {
        buffer->Play(0, 0, 0);
    }
}

void CSound::Stop() {
    if (buffer) {
        buffer->Stop();
    }
}
