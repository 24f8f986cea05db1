// Sounds played through the mixer as the game plays them: a file's samples come out exactly,
// first to last, then silence; PlayFromStart restarts at once; Play leaves a playing sound
// alone; Stop then Play continues. Also what deleting a sound releases.
#include <algorithm>

#include "SoundTest.h"
#include "support/Emulation.h"

namespace {

using namespace sound_test;
using platform::testing::PullAudio;

// Interleaved stereo frames that are all different and none silent.
std::vector<int16_t> Music(int frames) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        samples.push_back(static_cast<int16_t>(i * 23 + 1000));
        samples.push_back(static_cast<int16_t>(-(i * 41) - 7));
    }
    return samples;
}

Bytes AsBytes(const std::vector<int16_t>& samples) {
    Bytes bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

std::vector<int16_t> Frames(const std::vector<int16_t>& samples, int first, int count) {
    return std::vector<int16_t>(samples.begin() + 2 * first, samples.begin() + 2 * (first + count));
}

bool Silent(const std::vector<int16_t>& samples) {
    return std::all_of(samples.begin(), samples.end(), [](int16_t s) { return s == 0; });
}

class SoundPlayback : public SoundTest {
  protected:
    CSound* LoadMusic(const std::string& name, int frames) {
        music = Music(frames);
        Write(name, Wave(2, 48000, 16, AsBytes(music)));
        CSound* sound = CSound::Load(name);
        EXPECT_NE(sound->buffer, nullptr);
        return sound;
    }

    std::vector<int16_t> music;
};

TEST_F(SoundPlayback, TheMixPlaysTheDataChunkFromFirstSampleToLastThenSilence) {
    CSound* sound = LoadMusic("Whole", 1500);
    EXPECT_TRUE(Silent(PullAudio(100))) << "nothing sounds before it is played";
    sound->PlayFromStart();
    std::vector<int16_t> mix = PullAudio(1800);
    EXPECT_EQ(Frames(mix, 0, 1500), music);
    EXPECT_TRUE(Silent(Frames(mix, 1500, 300))) << "a sound never loops";
}

TEST_F(SoundPlayback, PlayFromStartRestartsAPlayingSoundAtOnce) {
    CSound* sound = LoadMusic("Restart", 1000);
    sound->PlayFromStart();
    PullAudio(300);
    sound->PlayFromStart();
    EXPECT_EQ(PullAudio(1000), music);
}

TEST_F(SoundPlayback, PlayLeavesAPlayingSoundWhereItIs) {
    CSound* sound = LoadMusic("KeepGoing", 1000);
    sound->PlayFromStart();
    PullAudio(300);
    sound->Play();
    EXPECT_EQ(PullAudio(200), Frames(music, 300, 200));
}

TEST_F(SoundPlayback, StopThenPlayContinuesWhereItStopped) {
    CSound* sound = LoadMusic("Pause", 1000);
    sound->PlayFromStart();
    PullAudio(400);
    sound->Stop();
    EXPECT_TRUE(Silent(PullAudio(250)));
    sound->Play();
    std::vector<int16_t> mix = PullAudio(700);
    EXPECT_EQ(Frames(mix, 0, 600), Frames(music, 400, 600));
    EXPECT_TRUE(Silent(Frames(mix, 600, 100)));
}

TEST_F(SoundPlayback, DeletingASoundReleasesItsBufferAndAFailedOneIsAccepted) {
    Write("Deleted", Wave(1, 22050, 8, Pattern(100)));
    IDirectSound8* directSound = registry->directSound;
    // A buffer holds a reference on its DirectSound object; AddRef/Release tell the count.
    auto references = [&] {
        directSound->AddRef();
        return directSound->Release();
    };
    const ULONG before = references();
    CSound* loaded = new CSound("Deleted");
    ASSERT_NE(loaded->buffer, nullptr);
    EXPECT_EQ(references(), before + 1);
    loaded->PlayFromStart();
    delete loaded;  // while it plays, as at exit
    EXPECT_EQ(references(), before);
    EXPECT_TRUE(Silent(PullAudio(200))) << "releasing the buffer ended its playback";

    CSound* failed = new CSound("NeverWritten");
    EXPECT_EQ(failed->buffer, nullptr);
    delete failed;
}

TEST_F(SoundPlayback, ReleaseAtExitTakesPlayingFailedAndIdleSounds) {
    if (test_support::UnderEmulator()) {
        GTEST_SKIP() << "the exit runs in a re-executed copy of this binary, which the emulator "
                        "cannot start";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            LoadMusic("ExitPlaying", 400)->PlayFromStart();
            LoadMusic("ExitIdle", 400);
            CSound::Load("ExitMissing");
            std::exit(CSound::Get("ExitMissing") && !CSound::Get("ExitMissing")->buffer ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
