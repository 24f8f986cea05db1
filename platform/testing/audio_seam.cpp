// The audio side of the test seam, over the shared mixer.
#include "audio_seam.h"

#include "dsound/audio_engine.h"

namespace platform::testing {

static_assert(kMixRate == static_cast<int>(dsound::kOutputRate));

void UsePulledAudio(bool pulled) {
    dsound::AudioEngine::SetPulledMode(pulled);
}

std::vector<int16_t> PullAudio(int frames) {
    std::vector<int16_t> samples(static_cast<size_t>(frames > 0 ? frames : 0) *
                                 dsound::kOutputChannels);
    dsound::AudioEngine::PullMixedFrames(samples.data(), frames > 0 ? frames : 0);
    return samples;
}

}  // namespace platform::testing
