// Summing voices period by period and saturating the sum to 16-bit samples.
#include "dsound/mixer.h"

#include <algorithm>
#include <cmath>

namespace platform::dsound {

void Mixer::Add(std::shared_ptr<Voice> voice) {
    std::lock_guard lock(mutex);
    voices.push_back(std::move(voice));
}

void Mixer::Remove(const Voice* voice) {
    std::lock_guard lock(mutex);
    std::erase_if(voices, [voice](const std::shared_ptr<Voice>& v) { return v.get() == voice; });
}

void Mixer::Mix(int16_t* out, int frames) {
    std::lock_guard lock(mutex);
    while (frames > 0) {
        int period = std::min(frames, kPeriodFrames);
        std::fill(scratch.begin(), scratch.end(), 0.0f);
        for (const std::shared_ptr<Voice>& voice : voices) {
            voice->MixInto(scratch.data(), period);
        }
        for (int i = 0; i < period * kOutputChannels; ++i) {
            float sample = std::clamp(scratch[static_cast<size_t>(i)], -32768.0f, 32767.0f);
            out[i] = static_cast<int16_t>(std::lrint(sample));
        }
        out += period * kOutputChannels;
        frames -= period;
    }
}

}  // namespace platform::dsound
