// The generated sounds as the game loads them (CSound through the WAV loader): the format, the
// game music locked to the rhythm with a sharp onset on every beat and a different cue on each
// of the four, lengths, even loudness and no clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "GeneratedTree.h"
#include "sound/SoundTest.h"

namespace {

using tools_test::GeneratedTree;

constexpr int kRate = 48000;
constexpr int kBeat = 11151;  // 0.2323125 s at 48 kHz
constexpr int kCycle = 4 * kBeat;

class GeneratedSounds : public sound_test::SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        CSound::SetDirectory((GeneratedTree::RunFolder() / "Resource/Sound/").string());
    }

    // The samples of a sound as its buffer holds them, after checking the file's format.
    static std::vector<int16_t> Samples(const std::string& name) {
        std::vector<uint8_t> file =
            GeneratedTree::Bytes(GeneratedTree::RunFolder() / ("Resource/Sound/" + name + ".wav"));
        EXPECT_GE(file.size(), 44u) << name;
        if (file.size() >= 44) {
            auto word = [&](size_t at) { return file[at] | file[at + 1] << 8; };
            EXPECT_EQ(word(20), 1) << name << ": linear PCM";
            EXPECT_EQ(word(22), 1) << name << ": mono";
            EXPECT_EQ(word(24) | word(26) << 16, kRate) << name;
            EXPECT_EQ(word(34), 16) << name << ": 16-bit";
        }
        CSound* sound = CSound::Load(name);
        EXPECT_TRUE(platform::testing::MessageBoxes().empty()) << name;
        if (!sound || !sound->buffer) {
            ADD_FAILURE() << name << " did not load";
            return {};
        }
        sound_test::Bytes bytes = Contents(sound);
        std::vector<int16_t> samples(bytes.size() / 2);
        for (size_t i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        }
        return samples;
    }

    static double Energy(const std::vector<int16_t>& samples, size_t from, size_t count) {
        double sum = 0.0;
        for (size_t i = from; i < from + count && i < samples.size(); ++i) {
            sum += static_cast<double>(samples[i]) * samples[i];
        }
        return sum;
    }

    // The loudest 50 ms stretch, as an RMS relative to full scale.
    static double LoudestRms(const std::vector<int16_t>& samples) {
        const size_t window = kRate / 20;
        double loudest = 0.0;
        for (size_t start = 0; start < samples.size(); start += window / 4) {
            loudest = std::max(loudest, Energy(samples, start, window));
        }
        return std::sqrt(loudest / static_cast<double>(window)) / 32768.0;
    }

    static int Peak(const std::vector<int16_t>& samples) {
        int peak = 0;
        for (int16_t sample : samples) {
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        return peak;
    }
};

TEST_F(GeneratedSounds, GameMusicIsWholeCyclesOfAtLeastTwoMinutes) {
    std::vector<int16_t> music = Samples("BGMGame");
    EXPECT_EQ(music.size() % kCycle, 0u) << "the music would drift against the rhythm";
    EXPECT_GE(music.size(), static_cast<size_t>(120 * kRate));
}

// 5 ms just after each beat's start carry far more energy than the 5 ms just before it.
TEST_F(GeneratedSounds, EveryBeatOfTheGameMusicStartsWithASharpOnset) {
    std::vector<int16_t> music = Samples("BGMGame");
    ASSERT_GE(music.size(), static_cast<size_t>(kCycle));
    const size_t window = kRate / 200;
    double weakest = 1e30;
    for (size_t start = kBeat; start + window < music.size(); start += kBeat) {
        double before = Energy(music, start - window, window);
        double after = Energy(music, start, window);
        weakest = std::min(weakest, after / std::max(before, 1.0));
        if (after < 8.0 * before) {
            ADD_FAILURE() << "weak onset at beat " << start / kBeat << ": " << after / before;
            break;
        }
    }
    std::printf("weakest onset ratio %.1f\n", weakest);
    EXPECT_GT(Energy(music, 0, window), 1e6) << "the first beat starts at sample 0";
}

// The four beats of a cycle sound different (their cue and drum), so a player can learn them;
// and every cycle plays the same cues.
TEST_F(GeneratedSounds, TheFourBeatsOfACycleCarryDifferentCues) {
    std::vector<int16_t> music = Samples("BGMGame");
    ASSERT_GE(music.size(), static_cast<size_t>(kCycle));
    // The first 60 ms of each beat in the intro, where only drums, bass and cues play.
    const size_t span = kRate * 60 / 1000;
    auto correlation = [&](size_t a, size_t b) {
        double ab = 0, aa = 0, bb = 0;
        for (size_t i = 0; i < span; ++i) {
            ab += static_cast<double>(music[a + i]) * music[b + i];
            aa += static_cast<double>(music[a + i]) * music[a + i];
            bb += static_cast<double>(music[b + i]) * music[b + i];
        }
        return ab / std::sqrt(aa * bb);
    };
    for (int first = 0; first < 4; ++first) {
        for (int second = first + 1; second < 4; ++second) {
            EXPECT_LT(correlation(first * kBeat, second * kBeat), 0.5)
                << "beats " << first << " and " << second << " sound alike";
        }
    }
}

TEST_F(GeneratedSounds, SceneMusicIsCalmAndAtLeastThirtySeconds) {
    std::vector<int16_t> music = Samples("BGMScene");
    EXPECT_GE(music.size(), static_cast<size_t>(30 * kRate));
    // It ends in silence, so a restart does not click.
    EXPECT_LT(std::abs(static_cast<int>(music.back())), 50);
}

TEST_F(GeneratedSounds, StepSoundsAreShortAndDifferent) {
    std::vector<int16_t> low = Samples("Rhythm01");
    std::vector<int16_t> high = Samples("Rhythm02");
    EXPECT_LT(low.size(), static_cast<size_t>(kRate * 150 / 1000));
    EXPECT_LT(high.size(), static_cast<size_t>(kRate * 150 / 1000));
    // Two timbres: the glassy tick crosses zero far more often than the wooden knock.
    auto crossings = [](const std::vector<int16_t>& samples) {
        int count = 0;
        for (size_t i = 1; i < samples.size(); ++i) {
            count += (samples[i - 1] < 0) != (samples[i] < 0);
        }
        return count;
    };
    EXPECT_GT(crossings(high), 2 * crossings(low));
}

TEST_F(GeneratedSounds, AllSoundsShareOneLoudnessAndNeverClip) {
    std::vector<double> levels;
    for (const char* name :
         {"BGMGame", "BGMScene", "Rhythm01", "Rhythm02", "Rhythm03", "Rhythm04", "Scene"}) {
        SCOPED_TRACE(name);
        std::vector<int16_t> samples = Samples(name);
        ASSERT_FALSE(samples.empty());
        EXPECT_LT(Peak(samples), 32000) << "at or near full scale";
        levels.push_back(LoudestRms(samples));
    }
    auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
    EXPECT_LT(20.0 * std::log10(*loudest / *quietest), 6.0) << "loudness differs by 6 dB or more";
}

}  // namespace
