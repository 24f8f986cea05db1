// Opening and closing the shared output, and switching it to pulled mode for tests.
#include "dsound/audio_engine.h"

#include <algorithm>
#include <mutex>
#include <new>

#include "dsound/silent_output.h"
#include "sdl/audio_backend.h"

namespace platform::dsound {
namespace {

struct Shared {
    std::mutex mutex;
    std::weak_ptr<AudioEngine> engine;
    bool pulled = false;
};

// Never destroyed: the last DirectSound object may go after main has returned.
Shared& TheShared() {
    static Shared* shared = new Shared;
    return *shared;
}

void FeedDevice(void* context, int16_t* samples, int frames) {
    static_cast<Mixer*>(context)->Mix(samples, frames);
}

}  // namespace

AudioEngine::AudioEngine() = default;

AudioEngine::~AudioEngine() {
    StopOutput();
}

std::shared_ptr<AudioEngine> AudioEngine::Acquire() {
    std::lock_guard lock(TheShared().mutex);
    if (std::shared_ptr<AudioEngine> engine = TheShared().engine.lock()) {
        return engine;
    }
    try {
        auto engine = std::make_shared<AudioEngine>();
        engine->StartOutput(TheShared().pulled);
        TheShared().engine = engine;
        return engine;
    } catch (const std::exception&) {
        return nullptr;
    }
}

void AudioEngine::StartOutput(bool pulled) {
    if (pulled) {
        return;
    }
    device = sdl::OpenAudioOutput(static_cast<int>(kOutputRate), kPeriodFrames, FeedDevice, &mixer);
    if (device == 0) {
        silent = std::make_unique<SilentOutput>(mixer);
    }
}

void AudioEngine::StopOutput() {
    if (device != 0) {
        sdl::CloseAudioOutput(device);
        device = 0;
    }
    silent.reset();
}

void AudioEngine::SetPulledMode(bool pulled) {
    std::lock_guard lock(TheShared().mutex);
    TheShared().pulled = pulled;
    if (std::shared_ptr<AudioEngine> engine = TheShared().engine.lock()) {
        engine->StopOutput();
        try {
            engine->StartOutput(pulled);
        } catch (const std::exception&) {
            // No thread for the silent output: the buffers stand still, as when pulled.
        }
    }
}

void AudioEngine::PullMixedFrames(int16_t* out, int frames) {
    std::shared_ptr<AudioEngine> engine;
    {
        std::lock_guard lock(TheShared().mutex);
        engine = TheShared().engine.lock();
    }
    if (engine) {
        engine->mixer.Mix(out, frames);
    } else {
        std::fill(out, out + static_cast<ptrdiff_t>(frames) * kOutputChannels, int16_t{0});
    }
}

}  // namespace platform::dsound
