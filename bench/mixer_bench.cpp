// The cost of mixing one device period (512 frames, about 10.7 ms of sound) with the game's
// seven sounds all playing at 44.1 kHz, so resampled: it must stay far below the period.
#include <benchmark/benchmark.h>

#include <vector>

#include "audio_seam.h"
#include "dsound.h"

namespace {

void MixSevenResampledBuffers(benchmark::State& state) {
    platform::testing::UsePulledAudio();
    IDirectSound8* directSound = nullptr;
    DirectSoundCreate8(nullptr, &directSound, nullptr);
    directSound->SetCooperativeLevel(reinterpret_cast<HWND>(uintptr_t{0x10}), DSSCL_EXCLUSIVE);
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = 44100 * 4;
    desc.lpwfxFormat = &format;
    std::vector<IDirectSoundBuffer*> buffers(7);
    for (IDirectSoundBuffer*& buffer : buffers) {
        directSound->CreateSoundBuffer(&desc, &buffer, nullptr);
        buffer->Play(0, 0, DSBPLAY_LOOPING);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::testing::PullAudio(512));
    }
    for (IDirectSoundBuffer* buffer : buffers) {
        buffer->Release();
    }
    directSound->Release();
}
BENCHMARK(MixSevenResampledBuffers)->Unit(benchmark::kMicrosecond);

}  // namespace
