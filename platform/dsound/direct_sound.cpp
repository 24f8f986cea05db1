// The DirectSound object: cooperative level and the creation of secondary buffers.
#include <atomic>

#include "dsound.h"
#include "seam/hooks.h"

namespace platform::dsound {
namespace {

class DirectSound final : public IDirectSound8 {
  public:
    ULONG AddRef() override { return ++references; }

    ULONG Release() override {
        ULONG left = --references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, LPDIRECTSOUNDBUFFER* buffer,
                              IUnknown* outer) override {
        if (!desc || !buffer || outer) {
            return DSERR_INVALIDPARAM;
        }
        *buffer = nullptr;
        if (level == 0) {
            return DSERR_UNINITIALIZED;
        }
        return DSERR_UNSUPPORTED;
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
    std::atomic<ULONG> references{1};
    DWORD level = 0;
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
    *directSound = new platform::dsound::DirectSound();
    return DS_OK;
}
