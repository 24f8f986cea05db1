// Playing buffers through the mixer, pulled by the test: exact samples where no conversion
// is needed, the conversions of every depth and rate, DirectSound's play, stop and position
// rules, looping, saturation, and objects released in any order.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "dsound_fixture.h"
#include "support/Emulation.h"

namespace {

using dsound_test::DirectSoundTest;
using dsound_test::Pcm;
using dsound_test::Pcm16;
using dsound_test::Ramp;
using platform::testing::PullAudio;

using Playback = DirectSoundTest;

std::vector<int16_t> Frames(const std::vector<int16_t>& samples, int first, int count) {
    return std::vector<int16_t>(samples.begin() + 2 * first, samples.begin() + 2 * (first + count));
}

bool AllSilent(const std::vector<int16_t>& samples) {
    return std::all_of(samples.begin(), samples.end(), [](int16_t s) { return s == 0; });
}

TEST_F(Playback, PlaysEverySampleOnceAndStopsAtTheEndWithPositionZero) {
    std::vector<int16_t> ramp = Ramp(700);
    IDirectSoundBuffer* buffer = MakeStereo16(ramp);
    EXPECT_TRUE(AllSilent(PullAudio(64))) << "nothing plays before Play";
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(buffer), DWORD{DSBSTATUS_PLAYING});

    std::vector<int16_t> mix = PullAudio(900);
    EXPECT_EQ(Frames(mix, 0, 700), ramp);
    EXPECT_TRUE(AllSilent(Frames(mix, 700, 200)));
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(PlayCursor(buffer), 0u);
}

TEST_F(Playback, MonoGoesToBothChannels) {
    std::vector<int16_t> mono{100, -200, 300, -32768, 32767, 5};
    IDirectSoundBuffer* buffer = MakeBuffer(Pcm(1, 16, 48000), Pcm16(mono));
    buffer->Play(0, 0, 0);
    std::vector<int16_t> mix = PullAudio(6);
    for (size_t i = 0; i < mono.size(); ++i) {
        EXPECT_EQ(mix[2 * i], mono[i]);
        EXPECT_EQ(mix[2 * i + 1], mono[i]);
    }
}

TEST_F(Playback, ConvertsEveryDepthToSixteenBits) {
    // 8-bit unsigned: 0x80 is silence, each step is 256.
    IDirectSoundBuffer* eight = MakeBuffer(Pcm(1, 8, 48000), {0x80, 0x00, 0xFF, 0x81});
    eight->Play(0, 0, 0);
    std::vector<int16_t> mix = PullAudio(4);
    EXPECT_EQ(mix, (std::vector<int16_t>{0, 0, -32768, -32768, 32512, 32512, 256, 256}));
    eight->Stop();

    // 24-bit: the top 16 bits, rounded; full scale stays in range.
    IDirectSoundBuffer* twentyFour =
        MakeBuffer(Pcm(2, 24, 48000),
                   {0x56, 0x34, 0x12, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x80, 0x00, 0xFF, 0xFF});
    twentyFour->Play(0, 0, 0);
    mix = PullAudio(2);
    EXPECT_EQ(mix, (std::vector<int16_t>{0x1234, 32767, -32768, -1}));
    twentyFour->Stop();

    IDirectSoundBuffer* thirtyTwo =
        MakeBuffer(Pcm(1, 32, 48000),
                   {0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF});
    thirtyTwo->Play(0, 0, 0);
    mix = PullAudio(3);
    EXPECT_EQ(mix, (std::vector<int16_t>{0x1234, 0x1234, -32768, -32768, -1, -1}));
}

class PlaybackRates : public DirectSoundTest, public ::testing::WithParamInterface<DWORD> {};

TEST_P(PlaybackRates, ResamplesFromTheFirstSampleToTheLastInTheRightTime) {
    const DWORD rate = GetParam();
    const int frames = static_cast<int>(rate / 100);  // 10 ms of sound
    std::vector<int16_t> mono(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        mono[static_cast<size_t>(i)] = static_cast<int16_t>(1000 + 20 * i);
    }
    IDirectSoundBuffer* buffer = MakeBuffer(Pcm(1, 16, rate), Pcm16(mono));
    buffer->Play(0, 0, 0);
    std::vector<int16_t> mix = PullAudio(1000);

    int played = 0;
    while (played < 1000 && mix[2 * played] != 0) {
        ++played;
    }
    EXPECT_NEAR(played, 480, 1) << "10 ms of sound lasts 480 output frames";
    EXPECT_TRUE(AllSilent(Frames(mix, played, 1000 - played)));
    EXPECT_EQ(mix[0], mono.front());
    EXPECT_EQ(mix[2 * (played - 1)], mono.back());
    for (int i = 1; i < played; ++i) {
        ASSERT_GE(mix[2 * i], mix[2 * (i - 1)]) << "a rising ramp keeps rising at frame " << i;
        // Linear interpolation puts output frame i at source position i * rate / 48000.
        double expected = std::min(1000.0 + 20.0 * i * rate / 48000.0, double(mono.back()));
        ASSERT_NEAR(mix[2 * i], expected, 1.0) << "frame " << i;
        ASSERT_EQ(mix[2 * i + 1], mix[2 * i]);
    }
    EXPECT_EQ(Status(buffer), 0u);
}

INSTANTIATE_TEST_SUITE_P(CommonRates, PlaybackRates, ::testing::Values(22050, 44100, 48000));

TEST_F(Playback, PlayOnAPlayingBufferChangesNothingButItsFlags) {
    std::vector<int16_t> ramp = Ramp(300);
    IDirectSoundBuffer* buffer = MakeStereo16(ramp);
    buffer->Play(0, 0, 0);
    PullAudio(100);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(PlayCursor(buffer), 400u);
    EXPECT_EQ(Frames(PullAudio(50), 0, 50), Frames(ramp, 100, 50));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(Status(buffer), DWORD{DSBSTATUS_PLAYING | DSBSTATUS_LOOPING});
    EXPECT_EQ(PlayCursor(buffer), 600u);
    EXPECT_EQ(buffer->Play(1, 0, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Play(0, 1, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Play(0, 0, 0x4), DSERR_INVALIDPARAM);
}

TEST_F(Playback, RestartingFromZeroTakesEffectAtOnce) {
    std::vector<int16_t> ramp = Ramp(300);
    IDirectSoundBuffer* buffer = MakeStereo16(ramp);
    buffer->Play(0, 0, 0);
    PullAudio(123);
    ASSERT_EQ(buffer->SetCurrentPosition(0), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Frames(PullAudio(10), 0, 10), Frames(ramp, 0, 10));
}

TEST_F(Playback, StopKeepsThePositionAndPlayContinues) {
    std::vector<int16_t> ramp = Ramp(300);
    IDirectSoundBuffer* buffer = MakeStereo16(ramp);
    buffer->Play(0, 0, 0);
    PullAudio(100);
    ASSERT_EQ(buffer->Stop(), DS_OK);
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_TRUE(AllSilent(PullAudio(50)));
    EXPECT_EQ(PlayCursor(buffer), 400u);
    buffer->Play(0, 0, 0);
    EXPECT_EQ(PullAudio(200), Frames(ramp, 100, 200));
    EXPECT_EQ(Status(buffer), 0u) << "the end was reached";
}

TEST_F(Playback, SetCurrentPositionRoundsDownToAFrameAndRejectsTheEnd) {
    std::vector<int16_t> ramp = Ramp(50);
    IDirectSoundBuffer* buffer = MakeStereo16(ramp);
    ASSERT_EQ(buffer->SetCurrentPosition(7), DS_OK);
    EXPECT_EQ(PlayCursor(buffer), 4u);
    EXPECT_EQ(buffer->SetCurrentPosition(200), DSERR_INVALIDPARAM);
    EXPECT_EQ(PlayCursor(buffer), 4u);
    ASSERT_EQ(buffer->SetCurrentPosition(199), DS_OK);
    EXPECT_EQ(PlayCursor(buffer), 196u);
    buffer->Play(0, 0, 0);
    buffer->SetCurrentPosition(40);
    EXPECT_EQ(Frames(PullAudio(5), 0, 5), Frames(ramp, 10, 5)) << "moves a playing buffer at once";
}

TEST_F(Playback, LoopingWrapsAroundUntilStopped) {
    std::vector<int16_t> ramp = Ramp(10);
    IDirectSoundBuffer* buffer = MakeStereo16(ramp);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    std::vector<int16_t> mix = PullAudio(25);
    for (int i = 0; i < 25; ++i) {
        ASSERT_EQ(Frames(mix, i, 1), Frames(ramp, i % 10, 1)) << "frame " << i;
    }
    EXPECT_EQ(Status(buffer), DWORD{DSBSTATUS_PLAYING | DSBSTATUS_LOOPING});
    EXPECT_EQ(PlayCursor(buffer), 20u);
    buffer->Play(0, 0, 0);  // looping off: it ends at the end of this round
    mix = PullAudio(10);
    EXPECT_EQ(Frames(mix, 0, 5), Frames(ramp, 5, 5));
    EXPECT_TRUE(AllSilent(Frames(mix, 5, 5)));
}

TEST_F(Playback, MixesBuffersAndSaturates) {
    IDirectSoundBuffer* quiet = MakeStereo16({1000, -1000, 1000, -1000});
    IDirectSoundBuffer* loud = MakeStereo16({30000, -30000, 2000, -2000});
    IDirectSoundBuffer* louder = MakeStereo16({30000, -30000, 3000, -3000});
    quiet->Play(0, 0, 0);
    loud->Play(0, 0, 0);
    EXPECT_EQ(PullAudio(2), (std::vector<int16_t>{31000, -31000, 3000, -3000}));
    quiet->Play(0, 0, 0);
    loud->Play(0, 0, 0);
    louder->Play(0, 0, 0);
    EXPECT_EQ(PullAudio(2), (std::vector<int16_t>{32767, -32768, 6000, -6000}));
}

TEST_F(Playback, BuffersOfSeveralDirectSoundObjectsShareTheOutput) {
    IDirectSound8* second = nullptr;
    ASSERT_EQ(DirectSoundCreate8(nullptr, &second, nullptr), DS_OK);
    ASSERT_EQ(second->SetCooperativeLevel(dsound_test::AnyWindow(), DSSCL_PRIORITY), DS_OK);
    IDirectSoundBuffer* first = MakeStereo16({100, 200});
    IDirectSoundBuffer* other = MakeBuffer(Pcm(2, 16, 48000), Pcm16({10, 20}), second);
    EXPECT_EQ(second->Release(), 1u) << "its buffer still holds it";
    first->Play(0, 0, 0);
    other->Play(0, 0, 0);
    EXPECT_EQ(PullAudio(1), (std::vector<int16_t>{110, 220}));
}

TEST_F(Playback, TheDirectSoundObjectMayGoBeforeItsBuffers) {
    std::vector<int16_t> ramp = Ramp(20);
    IDirectSoundBuffer* buffer = MakeStereo16(ramp);
    EXPECT_EQ(directSound->Release(), 1u);
    directSound = nullptr;
    buffer->Play(0, 0, 0);
    EXPECT_EQ(PullAudio(20), ramp);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    EXPECT_EQ(buffer->Release(), 0u);
    buffers.clear();
    EXPECT_TRUE(AllSilent(PullAudio(20))) << "with the last buffer the output is gone";
}

TEST_F(Playback, WithoutAnAudioDeviceASilentOutputKeepsPlayingInRealTime) {
    // The tests run with SDL's dummy audio driver, which counts as no device.
    platform::testing::UsePulledAudio(false);
    std::vector<uint8_t> tenSeconds(48000 * 10 * 4);
    IDirectSoundBuffer* buffer = MakeBuffer(Pcm(2, 16, 48000), tenSeconds);
    buffer->Play(0, 0, 0);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (PlayCursor(buffer) == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    DWORD cursor = PlayCursor(buffer);
    EXPECT_GT(cursor, 0u) << "the buffer advances without anyone pulling";
    EXPECT_LT(cursor, tenSeconds.size() / 2) << "but not faster than real time";
    EXPECT_EQ(Status(buffer), DWORD{DSBSTATUS_PLAYING});
    platform::testing::UsePulledAudio(true);
}

TEST_F(Playback, AnSdlDeviceIsFedTheMix) {
    // SDL's "disk" driver is a real output device that writes what it plays to a file.
    std::string file = ::testing::TempDir() + "dsound_disk_output.raw";
    std::filesystem::remove(file);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    platform::testing::UsePulledAudio(false);
    std::vector<int16_t> ramp = Ramp(3000);
    IDirectSoundBuffer* buffer = MakeStereo16(ramp);
    buffer->Play(0, 0, 0);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Status(buffer) != 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(Status(buffer), 0u) << "the device played the buffer to its end";
    platform::testing::UsePulledAudio(true);  // closes the device
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> written(bytes.size() / 2);
    std::memcpy(written.data(), bytes.data(), written.size() * 2);
    auto start = std::search(written.begin(), written.end(), ramp.begin(), ramp.begin() + 8);
    ASSERT_NE(start, written.end()) << "the ramp's first frames were played";
    ASSERT_GE(written.end() - start, std::ptrdiff_t(ramp.size()));
    EXPECT_TRUE(std::equal(ramp.begin(), ramp.end(), start));
    std::filesystem::remove(file);
}

// Objects that the game keeps in function-local statics are released after main returns,
// in whatever order their owners go; the output thread must still stop cleanly.
struct HeldUntilExit {
    IDirectSound8* directSound = nullptr;
    IDirectSoundBuffer* buffer = nullptr;
    ~HeldUntilExit() {
        directSound->Release();  // before its buffer, which keeps the output alive
        buffer->Release();
    }
};

void PlayUntilExit() {
    platform::testing::UsePulledAudio(false);
    static HeldUntilExit held;
    DirectSoundCreate8(nullptr, &held.directSound, nullptr);
    held.directSound->SetCooperativeLevel(dsound_test::AnyWindow(), DSSCL_EXCLUSIVE);
    WAVEFORMATEX format = Pcm(2, 16, 44100);
    DSBUFFERDESC desc = dsound_test::Description(&format, 4410 * 4);
    held.directSound->CreateSoundBuffer(&desc, &held.buffer, nullptr);
    held.buffer->Play(0, 0, DSBPLAY_LOOPING);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::exit(held.buffer ? 7 : 1);
}

TEST(PlaybackAtExit, ObjectsReleasedAfterMainReturnCloseTheOutputCleanly) {
    if (test_support::UnderEmulator()) {
        GTEST_SKIP() << "the exit runs in a re-executed copy of this binary, which the emulator "
                        "cannot start";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(PlayUntilExit(), ::testing::ExitedWithCode(7), "");
}

}  // namespace
