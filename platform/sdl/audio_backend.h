// The layer's narrow seam to SDL's audio: open the default output device and have it pull
// 16-bit stereo frames from a source on SDL's audio thread. Plain types only.
#pragma once

#include <cstdint>

namespace platform::sdl {

// Fills `frames` interleaved stereo frames; called on SDL's audio thread.
using AudioSource = void (*)(void* context, int16_t* samples, int frames);

// Starts SDL's audio subsystem and plays what `source` gives at `rate` Hz, `periodFrames`
// frames per callback (SDL converts to whatever the device really takes). Returns 0, with
// nothing left open, when no real output exists: no driver or device, or SDL's dummy driver.
uint32_t OpenAudioOutput(int rate, int periodFrames, AudioSource source, void* context);

// Returns once the source is no longer being called; stops SDL's audio with the last device.
void CloseAudioOutput(uint32_t device);

}  // namespace platform::sdl
