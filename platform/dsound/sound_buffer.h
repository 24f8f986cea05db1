// Secondary sound buffers: creating one from a DSBUFFERDESC on a DirectSound object.
#pragma once

#include <memory>

#include "dsound.h"
#include "dsound/audio_engine.h"

namespace platform::dsound {

// Checks the description and makes the buffer; the buffer holds a reference on `owner`.
HRESULT CreateSecondaryBuffer(IDirectSound8* owner, const std::shared_ptr<AudioEngine>& engine,
                              const DSBUFFERDESC& desc, LPDIRECTSOUNDBUFFER* buffer);

}  // namespace platform::dsound
