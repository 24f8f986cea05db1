// The one mixer and output of the process, shared by every DirectSound object. It exists while
// some DirectSound object (and so some buffer) holds it, and closes the output when the last
// one lets go, whenever that is, also after main has returned.
#pragma once

#include <cstdint>
#include <memory>

#include "dsound/mixer.h"

namespace platform::dsound {

class SilentOutput;

class AudioEngine {
  public:
    // The engine of the process, opened on first use: the SDL audio device, or the silent
    // output when there is none, or nothing at all in pulled mode. Null without memory.
    static std::shared_ptr<AudioEngine> Acquire();

    AudioEngine();
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    Mixer& GetMixer() { return mixer; }

    // Test seam: in pulled mode no output advances the buffers; only PullMixedFrames does.
    // Applies at once to a running engine and to every engine opened later.
    static void SetPulledMode(bool pulled);
    // Mixes `frames` frames of the running engine into `out` (silence when there is none).
    static void PullMixedFrames(int16_t* out, int frames);

  private:
    void StartOutput(bool pulled);
    void StopOutput();

    Mixer mixer;
    uint32_t device = 0;
    std::unique_ptr<SilentOutput> silent;
};

}  // namespace platform::dsound
