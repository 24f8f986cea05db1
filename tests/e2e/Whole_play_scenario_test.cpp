// Whole plays of the real game as a player meets it: the title, a click, twenty floors walked with
// clicks timed to the rhythm, the result screen and the click back to the title. It runs on the
// textures and sounds the build generated, headless on the virtual clock. The pictures at the key
// moments are compared with references beside this test, the record file is read back byte for
// byte, and the soundtrack is followed frame by frame: which sounds start in which frame, which
// music runs in which scene, and the mixed output against the samples of the sound files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "audio_seam.h"
#include "frame/CSceneManager.h"
#include "game/CBackground.h"
#include "game/CFade.h"
#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayState.h"
#include "game/CPlayer.h"
#include "game/CSceneClear.h"
#include "game/CScenePlay.h"
#include "game/CSceneTitle.h"
#include "game/CStairs.h"
#include "sound/CSound.h"
#include "support/PictureCompare.h"
#include "support/PlayDriver.h"
#include "support/TestGame.h"
#include "test_seam.h"

namespace {

using platform::testing::Image;

const char* const kSoundNames[] = {"BGMGame",  "BGMScene", "Rhythm01", "Rhythm02",
                                   "Rhythm03", "Rhythm04", "Scene"};
// The step sound of each beat: right and up sound one way, left and down the other.
const char* const kStepSound[4] = {"Rhythm02", "Rhythm01", "Rhythm02", "Rhythm01"};

// One frame of game time in output frames of the 48 kHz mix.
constexpr int kMixFramesPerFrame = platform::testing::kMixRate / 60;
// The pictures come from one software rasteriser; the slack only covers rounding differences
// between optimisation levels.
constexpr int kTolerance = 3;
constexpr int kPixelsAllowed = 8;

// The samples of a generated sound file (mono 16-bit linear PCM), read without the game's loader.
std::vector<int16_t> SamplesOfWaveFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    auto word = [&bytes](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
               static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8;
    };
    auto dword = [&word](size_t at) { return word(at) | word(at + 2) << 16; };
    std::vector<int16_t> samples;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        ADD_FAILURE() << path << " is not a RIFF WAVE file";
        return samples;
    }
    for (size_t at = 12; at + 8 <= bytes.size(); at += 8 + (dword(at + 4) + 1) / 2 * 2) {
        const uint32_t size = dword(at + 4);
        if (bytes.compare(at, 4, "fmt ") == 0) {
            EXPECT_EQ(word(at + 8), 1u) << path;   // linear PCM
            EXPECT_EQ(word(at + 10), 1u) << path;  // mono
            EXPECT_EQ(dword(at + 12), 48000u) << path;
            EXPECT_EQ(word(at + 22), 16u) << path;  // bits per sample
        } else if (bytes.compare(at, 4, "data") == 0 && at + 8 + size <= bytes.size()) {
            samples.resize(size / 2);
            std::memcpy(samples.data(), bytes.data() + at + 8, samples.size() * 2);
        }
    }
    EXPECT_FALSE(samples.empty()) << path;
    return samples;
}

bool IsMusic(const std::string& name) {
    return name.rfind("BGM", 0) == 0;
}

class WholePlayTest : public ::testing::Test {
  protected:
    // Starts the game in a fresh run folder holding `recordFile` as its miss record (none when
    // empty), with the background and the random generator held to one start.
    void StartTheGame(const std::string& recordFile) {
        platform::testing::StartHeadless();
        platform::testing::SetClock(1000000000);
        platform::testing::UsePulledAudio();
        folder.UseGeneratedAssets();
        if (!recordFile.empty()) {
            std::ofstream(folder.RecordPath(), std::ios::binary) << recordFile;
        }
        for (const char* name : kSoundNames) {
            soundData[name] = SamplesOfWaveFile(
                (folder.Path() / "Resource/Sound" / (std::string(name) + ".wav")).string());
        }
        game.drawing = false;  // drawn only in the frames whose pictures are compared
        // The game seeds the random generator with the time and starts the background at random:
        // held here to one start, the pictures repeat.
        game.onInit = [](TestGame&) {
            std::srand(20240601);
            CBackground* background = CBackground::GetInstance();
            background->colorIndex = 1;
            background->colorTimer.time = 0.5f;
            background->ShuffleBackgroundAngles();
        };
        ASSERT_TRUE(game.StartUp());
        ASSERT_TRUE(platform::testing::MessageBoxes().empty());
        scene = ActiveScene();
        ASSERT_EQ(scene, CSceneTitle::GetInstance());
        startsExpected.insert("BGMScene");  // started by the game's set-up, heard from frame 1
    }

    static CScene* ActiveScene() {
        auto& active = CSceneManager::GetInstance()->activeScenes;
        return active.size() == 1 ? active.front() : nullptr;
    }

    static CPlayState* Play() { return CPlayState::GetInstance(); }

    // One frame of the game, then the part of the soundtrack that plays during it.
    void Frame() {
        ASSERT_TRUE(game.NextFrameTurn());
        ++frame;
        ListenToTheFrame();
    }

    void Frames(int count) {
        for (int i = 0; i < count && !HasFatalFailure(); ++i) {
            Frame();
        }
    }

    // Frames until `done` holds after one, at most `limit`.
    template <typename Done>
    void FramesUntil(Done done, int limit = 600) {
        for (int frames = 0; frames < limit; ++frames) {
            Frame();
            if (HasFatalFailure() || done()) {
                return;
            }
        }
        FAIL() << "not reached in " << limit << " frames";
    }

    // The next frame, drawn, as it reached the back buffer.
    Image DrawnFrame() {
        game.drawing = true;
        Frame();
        game.drawing = false;
        return platform::testing::ReadBackBuffer(CGame::device);
    }

    void ExpectPicture(const std::string& reference) {
        const Image picture = DrawnFrame();
        EXPECT_TRUE(pokutan_test::MatchesReference(picture, "e2e/references/" + reference + ".png",
                                                   "whole_play_" + reference, kTolerance,
                                                   kPixelsAllowed));
    }

    // A left click seen by the next frame, which must start `sound`.
    void ClickHearing(const char* sound) {
        platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, true, 320, 240);
        platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, false, 320, 240);
        startsExpected.insert(sound);
        Frame();
    }

    void WaitForBeat(int phase) {
        for (int i = 0; i < 60 && PhaseOfNextUpdate() != phase && !HasFatalFailure(); ++i) {
            Frame();
        }
        ASSERT_EQ(PhaseOfNextUpdate(), phase);
    }

    // One click on the beat that leads along a shortest way to (x, y).
    void StepToward(int x, int y) {
        const int phase = FirstStepToward(x, y);
        ASSERT_GE(phase, 0) << "no way on floor " << CFloorMap::GetInstance()->floorIndex + 1;
        WaitForBeat(phase);
        CPlayer* player = CPlayer::GetInstance();
        const int tx = player->x + player->stepX[phase];
        const int ty = player->y + player->stepY[phase];
        const bool ontoTheGoal = CFloorMap::GetInstance()->CellAt(tx, ty) == CELL_FINAL_GOAL;
        // The goal sounds instead of a step, and the marker stays in front of it.
        const int expectedX = ontoTheGoal ? player->x : tx;
        const int expectedY = ontoTheGoal ? player->y : ty;
        ClickHearing(ontoTheGoal ? "Rhythm04" : kStepSound[phase]);
        ++steps;
        EXPECT_EQ(player->x, expectedX);
        EXPECT_EQ(player->y, expectedY);
    }

    // A click on a beat that walks into a wall.
    void MissOnce() {
        const int phase = PhaseIntoWall();
        ASSERT_GE(phase, 0);
        WaitForBeat(phase);
        const int misses = Play()->misses;
        ClickHearing("Rhythm03");
        EXPECT_EQ(Play()->misses, misses + 1);
    }

    // Walks onto the stairs and waits until the next floor is entered under the short fade.
    void WalkDownstairs() {
        const int floor = CFloorMap::GetInstance()->floorIndex;
        CStairs* stairs = CStairs::GetInstance();
        while (!Play()->floorChangePending && !HasFatalFailure()) {
            StepToward(stairs->x, stairs->y);
        }
        FramesUntil([floor] { return CFloorMap::GetInstance()->floorIndex != floor; }, 60);
        ASSERT_EQ(CFloorMap::GetInstance()->floorIndex, floor + 1);
    }

    void WalkOntoTheFinalGoal() {
        CFinalGoal* goal = CFinalGoal::GetInstance();
        while (!Play()->finished && !HasFatalFailure()) {
            StepToward(goal->x, goal->y);
        }
    }

    // From the title: a click, the fade, and the play scene with floor 1 once the fade is gone.
    void StartAPlay() {
        ClickHearing("Scene");
        FramesUntil([] { return ActiveScene() == CScenePlay::GetInstance(); }, 200);
        ASSERT_EQ(CFloorMap::GetInstance()->floorIndex, 0);
        ASSERT_EQ(Play()->misses, 0);
        FramesUntil([] { return longFade.state == FADE_IDLE; }, 200);
    }

    // On the clear screen: a click, the fade, and the title once the fade is gone.
    void BackToTheTitle() {
        ClickHearing("Scene");
        FramesUntil([] { return ActiveScene() == CSceneTitle::GetInstance(); }, 200);
        FramesUntil([] { return longFade.state == FADE_IDLE; }, 200);
    }

    // The sounds started in this frame must be the ones expected; the music must be the
    // scene's; and the next sixtieth of a second of the mix must be the sum of the samples of
    // the playing sounds, from where each one stands.
    void ListenToTheFrame() {
        CScene* now = ActiveScene();
        if (now != scene) {  // each hand-over restarts the music of the scene it leads to
            if (now == CScenePlay::GetInstance()) {
                startsExpected.insert("BGMGame");
            } else if (now == CSceneClear::GetInstance()) {
                startsExpected.insert("BGMScene");
            }
            scene = now;
        }
        std::set<std::string> started;
        std::map<std::string, DWORD> position;
        std::vector<int32_t> expected(kMixFramesPerFrame, 0);
        for (const char* name : kSoundNames) {
            IDirectSoundBuffer* buffer = CSound::Get(name)->buffer;
            DWORD status = 0;
            DWORD cursor = 0;
            DWORD ignored = 0;
            buffer->GetStatus(&status);
            buffer->GetCurrentPosition(&cursor, &ignored);
            const bool playing = (status & DSBSTATUS_PLAYING) != 0;
            // A sound that played in the last frame has moved on; at 0 it has just (re)started.
            // Music that ran out starts again from the scene's request: that one is allowed.
            if (playing && cursor == 0 && !(IsMusic(name) && ranOut.count(name))) {
                started.insert(name);
            }
            if (playing) {
                position[name] = cursor;
                const std::vector<int16_t>& data = soundData[name];
                for (size_t i = 0, at = cursor / 2; i < expected.size() && at < data.size();
                     ++i, ++at) {
                    expected[i] += data[at];
                }
            }
        }
        if (started != startsExpected) {
            Fault("started " + Names(started) + " instead of " + Names(startsExpected));
        }
        for (const std::string& name : started) {
            ++startCount[name];
        }
        startsExpected.clear();
        ExpectTheScenesMusic(position);

        const std::vector<int16_t> mix = platform::testing::PullAudio(kMixFramesPerFrame);
        int wrong = 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            const int32_t sample = std::clamp<int32_t>(expected[i], -32768, 32767);
            wrong += mix[2 * i] != sample || mix[2 * i + 1] != sample;
        }
        if (wrong != 0) {
            Fault(std::to_string(wrong) + " samples of the mix differ from the sound files");
        }

        ranOut.clear();
        for (const auto& [name, cursor] : position) {
            DWORD status = 0;
            CSound::Get(name)->buffer->GetStatus(&status);
            if ((status & DSBSTATUS_PLAYING) == 0) {
                ranOut.insert(name);
            }
        }
    }

    // The title and the clear screen play the scene music, the play scene the game music.
    void ExpectTheScenesMusic(const std::map<std::string, DWORD>& playing) {
        const bool inPlay = scene == CScenePlay::GetInstance();
        if (playing.count("BGMGame") != (inPlay ? 1u : 0u) ||
            playing.count("BGMScene") != (inPlay ? 0u : 1u)) {
            Fault(std::string("the music of the ") + (inPlay ? "play" : "title or clear") +
                  " scene is not the one playing");
        }
    }

    // A fault of the soundtrack may last many frames: the first few are told, all are counted.
    void Fault(const std::string& what) {
        if (soundFaults.size() < 10) {
            soundFaults.push_back("frame " + std::to_string(frame) + ": " + what);
        }
        ++soundFaultCount;
    }

    static std::string Names(const std::set<std::string>& names) {
        std::string list = "{";
        for (const std::string& name : names) {
            list += " " + name;
        }
        return list + " }";
    }

    void TearDown() override {
        std::string told;
        for (const std::string& fault : soundFaults) {
            told += "\n  " + fault;
        }
        EXPECT_EQ(soundFaultCount, 0) << "frames with a soundtrack fault, the first:" << told;
    }

    ScratchRunFolder folder{"whole_play"};
    TestGame game;
    int frame = 0;
    int steps = 0;
    CScene* scene = nullptr;
    std::map<std::string, std::vector<int16_t>> soundData;
    std::set<std::string> startsExpected;
    std::set<std::string> ranOut;
    std::map<std::string, int> startCount;
    std::vector<std::string> soundFaults;
    int soundFaultCount = 0;
};

TEST_F(WholePlayTest, AFirstPlayWithoutAMissSetsTheRecordAndTheTitleShowsIt) {
    StartTheGame("");
    ASSERT_FALSE(HasFatalFailure());
    ExpectPicture("title_999");
    Frames(30);
    StartAPlay();
    ASSERT_FALSE(HasFatalFailure());
    ExpectPicture("play_B01F_miss_00");

    for (int floor = 0; floor < FLOOR_COUNT - 1 && !HasFatalFailure(); ++floor) {
        WalkDownstairs();
    }
    ASSERT_FALSE(HasFatalFailure());
    FramesUntil([] { return shortFade.state == FADE_IDLE; }, 60);
    ExpectPicture("play_B20F_miss_00");
    EXPECT_EQ(folder.RecordBytes(), "");

    WalkOntoTheFinalGoal();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(Play()->misses, 0);
    EXPECT_TRUE(Play()->newRecord);
    EXPECT_EQ(folder.RecordBytes(), "0\r\n");  // written when the goal is reached

    FramesUntil([] { return ActiveScene() == CSceneClear::GetInstance(); }, 200);
    FramesUntil([] { return longFade.state == FADE_IDLE; }, 200);
    // A new record blinks: wait for the count to be shown.
    FramesUntil([] { return CSceneClear::GetInstance()->recordBlinkOn; }, 60);
    ExpectPicture("clear_000_record");
    Frames(20);
    BackToTheTitle();
    ASSERT_FALSE(HasFatalFailure());
    ExpectPicture("title_000");
    EXPECT_EQ(Play()->record, 0);
    EXPECT_EQ(folder.RecordBytes(), "0\r\n");

    // Every step sounded once, the goal once, the wall never; the jingle for the two clicks.
    EXPECT_EQ(startCount["Rhythm01"] + startCount["Rhythm02"], steps - 1);
    EXPECT_EQ(startCount["Rhythm04"], 1);
    EXPECT_EQ(startCount["Rhythm03"], 0);
    EXPECT_EQ(startCount["Scene"], 2);
    EXPECT_EQ(startCount["BGMGame"], 1);
    EXPECT_EQ(startCount["BGMScene"], 2);  // at the start and when the play handed over
}

TEST_F(WholePlayTest, AWorsePlayShowsItsMissesAndLeavesTheRecordFileAlone) {
    // A record of 2 written by another editor (no carriage return): any rewrite would show.
    StartTheGame("2\n");
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(Play()->record, 2);
    Frames(10);
    StartAPlay();
    ASSERT_FALSE(HasFatalFailure());

    for (int floor = 0; floor < FLOOR_COUNT - 1 && !HasFatalFailure(); ++floor) {
        if (floor == 1 || floor == 8 || floor == 14) {
            MissOnce();
        }
        WalkDownstairs();
    }
    ASSERT_FALSE(HasFatalFailure());
    FramesUntil([] { return shortFade.state == FADE_IDLE && Play()->shakeTimer.expired; }, 60);
    ExpectPicture("play_B20F_miss_03");

    MissOnce();
    // Let the shake settle, then walk on.
    FramesUntil([] { return Play()->shakeTimer.expired; }, 60);
    WalkOntoTheFinalGoal();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(Play()->misses, 4);
    EXPECT_FALSE(Play()->newRecord);
    EXPECT_EQ(Play()->record, 2);

    FramesUntil([] { return ActiveScene() == CSceneClear::GetInstance(); }, 200);
    FramesUntil([] { return longFade.state == FADE_IDLE; }, 200);
    ExpectPicture("clear_004");
    // Without a new record the count is shown steadily.
    for (int i = 0; i < 60 && !HasFatalFailure(); ++i) {
        Frame();
        ASSERT_TRUE(CSceneClear::GetInstance()->recordBlinkOn);
    }
    BackToTheTitle();
    ASSERT_FALSE(HasFatalFailure());
    ExpectPicture("title_002");
    EXPECT_EQ(folder.RecordBytes(), "2\n");
    EXPECT_EQ(startCount["Rhythm03"], 4);
    EXPECT_EQ(startCount["Rhythm04"], 1);
}

}  // namespace
