// SDL's audio device for the layer: one playback device per open output, fed by a callback.
// SDL's dummy driver counts as no output: it would only pretend to play.
#include <SDL.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "sdl/audio_backend.h"

namespace platform::sdl {
namespace {

struct Feed {
    AudioSource source;
    void* context;
};

struct Devices {
    std::mutex mutex;
    std::map<SDL_AudioDeviceID, std::unique_ptr<Feed>> feeds;
};

// Never destroyed: outputs may be closed after main returns.
Devices& OpenDevices() {
    static Devices* devices = new Devices;
    return *devices;
}

void SDLCALL Callback(void* userdata, Uint8* stream, int length) {
    auto* feed = static_cast<Feed*>(userdata);
    int frames = length / static_cast<int>(2 * sizeof(int16_t));
    feed->source(feed->context, reinterpret_cast<int16_t*>(stream), frames);
}

bool IsRealDriver(const char* driver) {
    return driver && std::strcmp(driver, "dummy") != 0;
}

}  // namespace

uint32_t OpenAudioOutput(int rate, int periodFrames, AudioSource source, void* context) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return 0;
    }
    if (!IsRealDriver(SDL_GetCurrentAudioDriver())) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    auto feed = std::make_unique<Feed>(Feed{source, context});
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = static_cast<Uint16>(periodFrames);
    wanted.callback = Callback;
    wanted.userdata = feed.get();
    SDL_AudioSpec obtained{};
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    {
        std::lock_guard lock(OpenDevices().mutex);
        OpenDevices().feeds[device] = std::move(feed);
    }
    SDL_PauseAudioDevice(device, 0);
    return device;
}

void CloseAudioOutput(uint32_t device) {
    std::unique_ptr<Feed> feed;
    {
        std::lock_guard lock(OpenDevices().mutex);
        auto it = OpenDevices().feeds.find(device);
        if (it == OpenDevices().feeds.end()) {
            return;
        }
        feed = std::move(it->second);
        OpenDevices().feeds.erase(it);
    }
    SDL_CloseAudioDevice(device);  // waits for a running callback to finish
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace platform::sdl
