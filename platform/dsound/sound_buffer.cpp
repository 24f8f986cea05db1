// IDirectSoundBuffer over a Voice. Lock hands out a private copy of the locked bytes and
// Unlock writes back what the caller says it wrote, so the audio thread never reads memory
// the game thread is writing; a buffer can hold several locks at once.
#include "dsound/sound_buffer.h"
#include "common/ref_counted.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "dsound/voice.h"

namespace platform::dsound {
namespace {

static_assert(sizeof(void*) != 8 || sizeof(DSBUFFERDESC) == 40);
static_assert(sizeof(WAVEFORMATEX) == 18);

struct LockedRegion {
    std::unique_ptr<uint8_t[]> copy;
    DWORD offset = 0;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
};

class SoundBuffer final : public RefCounted<IDirectSoundBuffer> {
  public:
    SoundBuffer(IDirectSound8* owner, std::shared_ptr<AudioEngine> engine,
                std::shared_ptr<Voice> voice)
        : owner(owner), engine(std::move(engine)), voice(std::move(voice)) {
        this->engine->GetMixer().Add(this->voice);  // may throw; nothing is held yet
        owner->AddRef();
    }

    HRESULT GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) override {
        Voice::Status status = voice->GetStatus();
        if (playCursor) {
            *playCursor = status.positionBytes;
        }
        if (writeCursor) {
            *writeCursor = status.positionBytes;
        }
        return DS_OK;
    }

    HRESULT GetStatus(LPDWORD status) override {
        if (!status) {
            return DSERR_INVALIDPARAM;
        }
        Voice::Status now = voice->GetStatus();
        *status = (now.playing ? DSBSTATUS_PLAYING : 0) | (now.looping ? DSBSTATUS_LOOPING : 0);
        return DS_OK;
    }

    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1, LPDWORD audioBytes1,
                 LPVOID* audioPtr2, LPDWORD audioBytes2, DWORD flags) override;

    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override {
        if (reserved != 0 || priority != 0 || (flags & ~DWORD{DSBPLAY_LOOPING}) != 0) {
            return DSERR_INVALIDPARAM;
        }
        voice->Play((flags & DSBPLAY_LOOPING) != 0);
        return DS_OK;
    }

    HRESULT SetCurrentPosition(DWORD newPosition) override {
        if (newPosition >= voice->Bytes()) {
            return DSERR_INVALIDPARAM;
        }
        voice->SetPosition(newPosition);
        return DS_OK;
    }

    HRESULT Stop() override {
        voice->Stop();
        return DS_OK;
    }

    HRESULT Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2,
                   DWORD audioBytes2) override;

  private:
    ~SoundBuffer() {
        engine->GetMixer().Remove(voice.get());
        engine.reset();
        owner->Release();
    }

    IDirectSound8* owner;
    std::shared_ptr<AudioEngine> engine;
    std::shared_ptr<Voice> voice;
    std::mutex locksMutex;
    std::vector<LockedRegion> locks;
};

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1, LPDWORD audioBytes1,
                          LPVOID* audioPtr2, LPDWORD audioBytes2, DWORD flags) {
    if (!audioPtr1 || !audioBytes1) {
        return DSERR_INVALIDPARAM;
    }
    const DWORD size = voice->Bytes();
    if (flags & DSBLOCK_FROMWRITECURSOR) {
        offset = voice->GetStatus().positionBytes;
    }
    if (flags & DSBLOCK_ENTIREBUFFER) {
        offset = 0;
        bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size) {
        return DSERR_INVALIDPARAM;
    }
    LockedRegion region;
    region.offset = offset;
    region.firstBytes = std::min(bytes, size - offset);
    region.secondBytes = bytes - region.firstBytes;
    if (region.secondBytes > 0 && (!audioPtr2 || !audioBytes2)) {
        return DSERR_INVALIDPARAM;  // the lock wraps around but there is nowhere to say so
    }
    region.copy.reset(new (std::nothrow) uint8_t[bytes]);
    if (!region.copy) {
        return DSERR_OUTOFMEMORY;
    }
    voice->Read(offset, region.copy.get(), region.firstBytes);
    voice->Read(0, region.copy.get() + region.firstBytes, region.secondBytes);

    *audioPtr1 = region.copy.get();
    *audioBytes1 = region.firstBytes;
    if (audioPtr2) {
        *audioPtr2 = region.secondBytes ? region.copy.get() + region.firstBytes : nullptr;
    }
    if (audioBytes2) {
        *audioBytes2 = region.secondBytes;
    }
    std::lock_guard lock(locksMutex);
    locks.push_back(std::move(region));
    return DS_OK;
}

HRESULT SoundBuffer::Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2,
                            DWORD audioBytes2) {
    std::lock_guard lock(locksMutex);
    auto it = std::find_if(locks.begin(), locks.end(), [audioPtr1](const LockedRegion& r) {
        return r.copy.get() == audioPtr1;
    });
    if (!audioPtr1 || it == locks.end()) {
        return DSERR_INVALIDPARAM;
    }
    uint8_t* second = it->copy.get() + it->firstBytes;
    if (audioBytes1 > it->firstBytes || audioBytes2 > it->secondBytes ||
        (audioBytes2 > 0 && audioPtr2 != second)) {
        return DSERR_INVALIDPARAM;
    }
    voice->Write(it->offset, it->copy.get(), audioBytes1);
    voice->Write(0, second, audioBytes2);
    locks.erase(it);
    return DS_OK;
}

// Only the structure's own size for this word size, as DirectSound checks: a 64-bit program
// that stores the 32-bit size (36) is refused, as it would be on Windows.
bool IsSupportedSize(DWORD size) {
    return size == sizeof(DSBUFFERDESC);
}

}  // namespace

HRESULT CreateSecondaryBuffer(IDirectSound8* owner, const std::shared_ptr<AudioEngine>& engine,
                              const DSBUFFERDESC& desc, LPDIRECTSOUNDBUFFER* buffer) {
    if (!IsSupportedSize(desc.dwSize) || !desc.lpwfxFormat) {
        return DSERR_INVALIDPARAM;
    }
    if (desc.dwFlags & DSBCAPS_PRIMARYBUFFER) {
        return DSERR_UNSUPPORTED;
    }
    PcmFormat format;
    if (HRESULT result = ReadPcmFormat(*desc.lpwfxFormat, &format); result != DS_OK) {
        return result;
    }
    if (desc.dwBufferBytes < DSBSIZE_MIN || desc.dwBufferBytes > DSBSIZE_MAX ||
        desc.dwBufferBytes % static_cast<DWORD>(format.blockAlign) != 0) {
        return DSERR_INVALIDPARAM;
    }
    try {
        auto voice = std::make_shared<Voice>(format, desc.dwBufferBytes, kOutputRate);
        *buffer = new SoundBuffer(owner, engine, std::move(voice));
    } catch (const std::bad_alloc&) {
        return DSERR_OUTOFMEMORY;
    }
    return DS_OK;
}

}  // namespace platform::dsound
