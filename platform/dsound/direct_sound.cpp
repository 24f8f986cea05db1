// The DirectSound object: cooperative level and the creation of secondary buffers. Every
// DirectSound object shares the process's one mixer and output (see audio_engine.h).
#include <atomic>
#include <memory>
#include <new>
#include "common/ref_counted.h"

#include "dsound.h"
#include "dsound/audio_engine.h"
#include "dsound/sound_buffer.h"
#include "seam/hooks.h"

namespace platform::dsound {
namespace {

class DirectSound final : public RefCounted<IDirectSound8> {
  public:
    explicit DirectSound(std::shared_ptr<AudioEngine> engine) : engine(std::move(engine)) {}

    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer,
                              IUnknown* outer) override {
        if (!desc || !buffer || outer) {
            return DSERR_INVALIDPARAM;
        }
        *buffer = nullptr;
        if (level.load() == 0) {
            return DSERR_UNINITIALIZED;
        }
        return CreateSecondaryBuffer(this, engine, *desc, buffer);
    }

    HRESULT SetCooperativeLevel(HWND hwnd, DWORD newLevel) override {
        if (!hwnd || newLevel < DSSCL_NORMAL || newLevel > DSSCL_WRITEPRIMARY) {
            return DSERR_INVALIDPARAM;
        }
        if (seam::ShouldFail(seam::Failure::SoundCooperativeLevel)) {
            return DSERR_GENERIC;
        }
        level = newLevel;
        return DS_OK;
    }

  private:
    ~DirectSound() = default;
    std::atomic<DWORD> level{0};
    std::shared_ptr<AudioEngine> engine;
};

}  // namespace
}  // namespace platform::dsound

HRESULT DirectSoundCreate8(const GUID*, LPDIRECTSOUND8* directSound, IUnknown* outer) {
    if (!directSound || outer) {
        return DSERR_INVALIDPARAM;
    }
    *directSound = nullptr;
    if (platform::seam::ShouldFail(platform::seam::Failure::DirectSoundCreate)) {
        return DSERR_NODRIVER;
    }
    std::shared_ptr<platform::dsound::AudioEngine> engine =
        platform::dsound::AudioEngine::Acquire();
    if (!engine) {
        return DSERR_OUTOFMEMORY;
    }
    *directSound = new (std::nothrow) platform::dsound::DirectSound(std::move(engine));
    return *directSound ? DS_OK : DSERR_OUTOFMEMORY;
}
