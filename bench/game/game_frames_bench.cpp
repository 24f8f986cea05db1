// Whole frames of the real game (update, render, present into memory) on each screen, the
// loads of its largest assets and the mixer with all seven of its sounds playing. One game per
// process, so every benchmark first brings it to its screen; the mix is pulled by the
// benchmark, so the frame figures are the game thread's alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "audio_seam.h"
#include "bench/game/BenchGame.h"
#include "d3dx9.h"
#include "frame/SharedContext.h"
#include "renderer_seam.h"
#include "sound/CSound.h"
#include "sound/CSoundRegistry.h"
#include "sound/WaveLoader.h"

namespace {

BenchGame& Game() {
    static BenchGame game(true);
    return game;
}

void RunFrames(benchmark::State& state) {
    if (!Game().Started()) {
        state.SkipWithError("the game did not start (are the generated assets built?)");
        return;
    }
    for (auto _ : state) {
        if (!Game().Frame()) {
            state.SkipWithError("the game ended");
            return;
        }
    }
}

void BM_FrameTitle(benchmark::State& state) {
    Game().EnterTitle();
    RunFrames(state);
}
BENCHMARK(BM_FrameTitle)->Unit(benchmark::kMillisecond);

void BM_FramePlayAtRest(benchmark::State& state) {
    Game().EnterPlay();
    RunFrames(state);
}
BENCHMARK(BM_FramePlayAtRest)->Unit(benchmark::kMillisecond);

// The shake and both fades running: the most drawing a frame of the game does. On the GL
// renderer (POKUTAN_RENDERER=gl) also its draw calls and texture uploads per frame.
void BM_FramePlayWorst(benchmark::State& state) {
    Game().EnterPlay();
    Game().HoldWorstCase(true);
    Game().Frame();  // the first frame whose fades come from the held times
    const platform::testing::GlRendererCounts before = platform::testing::GlCounts();
    RunFrames(state);
    const platform::testing::GlRendererCounts after = platform::testing::GlCounts();
    const double frames =
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["gl_draw_calls"] =
        static_cast<double>(after.drawCalls - before.drawCalls) / frames;
    state.counters["gl_texture_uploads"] =
        static_cast<double>(after.textureUploads - before.textureUploads) / frames;
    Game().HoldWorstCase(false);
}
BENCHMARK(BM_FramePlayWorst)->Unit(benchmark::kMillisecond);

void BM_FramePause(benchmark::State& state) {
    Game().EnterPause();
    RunFrames(state);
}
BENCHMARK(BM_FramePause)->Unit(benchmark::kMillisecond);

void BM_FrameClear(benchmark::State& state) {
    Game().EnterClear();
    RunFrames(state);
}
BENCHMARK(BM_FrameClear)->Unit(benchmark::kMillisecond);

// The 1024 x 1024 glyph sheet, loaded as the game loads every texture.
void BM_LoadGlyphSheet(benchmark::State& state) {
    Game();
    for (auto _ : state) {
        IDirect3DTexture9* texture = nullptr;
        D3DXIMAGE_INFO info = {};
        D3DXCreateTextureFromFileExA(CGame::device, "Resource/Texture/SpriteFont_64_64.png",
                                     D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                     D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0xFFFF00FF, &info,
                                     nullptr, &texture);
        if (!texture) {
            state.SkipWithError("the glyph sheet did not load");
            return;
        }
        texture->Release();
    }
}
BENCHMARK(BM_LoadGlyphSheet)->Unit(benchmark::kMillisecond);

// The longest music file, into a new secondary buffer.
void BM_LoadLongestMusic(benchmark::State& state) {
    Game();
    for (auto _ : state) {
        IDirectSoundBuffer* buffer =
            LoadWaveBuffer(SharedContext.soundRegistry->directSound, "Resource/Sound/BGMGame.wav");
        if (!buffer) {
            state.SkipWithError("the music did not load");
            return;
        }
        buffer->Release();
    }
}
BENCHMARK(BM_LoadLongestMusic)->Unit(benchmark::kMillisecond);

// One device period (512 frames at 48 kHz, 10.67 ms of sound) with the game's seven sounds
// all playing, looped so none runs out.
void BM_MixSevenGameSounds(benchmark::State& state) {
    Game();
    const char* names[] = {"BGMGame",  "BGMScene", "Rhythm01", "Rhythm02",
                           "Rhythm03", "Rhythm04", "Scene"};
    for (const char* name : names) {
        CSound::Get(name)->buffer->Play(0, 0, DSBPLAY_LOOPING);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::testing::PullAudio(512));
    }
    for (const char* name : names) {
        CSound::Get(name)->buffer->Stop();
    }
}
BENCHMARK(BM_MixSevenGameSounds)->Unit(benchmark::kMicrosecond);

}  // namespace
