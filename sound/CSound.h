// One sound of the game: a whole linear-PCM WAV file in one DirectSound secondary buffer,
// owned by the sound registry under its name. A sound never loops and never overlaps itself.
// A sound whose file failed to load has no buffer; playing and stopping it do nothing.
#pragma once

#include <string>

#include "dsound.h"
#include "graphics/CNamedResource.h"
#include "sound/CSoundRegistry.h"

class CSound : public CNamedResource<CSound, CSoundRegistry> {
  public:
    // Reads directory + name + extension; a failure is shown in a message box.
    explicit CSound(std::string name);
    ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // From the beginning, also when it is playing.
    void PlayFromStart();
    // From where it stands; a playing sound goes on unchanged.
    void Play();
    // Keeps the position, so that Play continues from there.
    void Stop();

    // Owned; null when loading failed.
    IDirectSoundBuffer* buffer = nullptr;
};
