// The browser's sound output for the layer: not connected to Web Audio yet, so there is no
// output, and DirectSound behaves as on a machine without a sound device.
#include <cstdio>

#include "sdl/audio_backend.h"

namespace platform::sdl {

uint32_t OpenAudioOutput(int, int, AudioSource, void*) {
    static bool said = false;
    if (!said) {
        std::fprintf(stderr, "pokutan: no sound output in the browser yet; playing silently\n");
        said = true;
    }
    return 0;
}

void CloseAudioOutput(uint32_t) {}

}  // namespace platform::sdl
