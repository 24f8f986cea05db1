// The test seam's audio side: replace the output device by a pulled output, so that buffers
// advance only by the samples a test takes, and take the mixed samples. The shipped game
// calls none of it.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::testing {

constexpr int kMixRate = 48000;  // frames per second of the mix

// With `pulled` set, no device or silent output pulls the mix; buffers stand still except
// while PullAudio runs. Applies at once and to DirectSound objects made later; off restores
// the normal output (SDL's device, or the real-time silent output).
void UsePulledAudio(bool pulled = true);

// The next `frames` frames of the mix, 16-bit interleaved stereo (left, right, left, ...),
// as the output would have played them; silence when no DirectSound object exists.
std::vector<int16_t> PullAudio(int frames);

}  // namespace platform::testing
