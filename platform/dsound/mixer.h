// The mix of every secondary buffer of the process into one 48 kHz stereo 16-bit stream.
// Whatever pulls the stream (SDL's audio thread, the silent output, a test) decides how fast
// the buffers play; voices come and go from the game thread meanwhile.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "dsound/voice.h"

namespace platform::dsound {

constexpr uint32_t kOutputRate = 48000;
constexpr int kOutputChannels = 2;
constexpr int kPeriodFrames = 512;  // one device period: about 10.7 ms

class Mixer {
  public:
    void Add(std::shared_ptr<Voice> voice);
    void Remove(const Voice* voice);

    // Writes `frames` interleaved stereo frames: the sum of all playing voices, saturated
    // to 16 bits. Advances every playing voice by the same time.
    void Mix(int16_t* out, int frames);

  private:
    std::mutex mutex;  // the list, and the scratch mix; taken before any voice's mutex
    std::vector<std::shared_ptr<Voice>> voices;
    std::vector<float> scratch = std::vector<float>(kPeriodFrames * kOutputChannels);
};

}  // namespace platform::dsound
