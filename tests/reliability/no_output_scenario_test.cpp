// A machine without a sound card plays silently and quietly: the game starts, loads every sound
// and plays without a message. A machine without a display: the real program shows its start-up
// message on stderr and ends with exit code 0.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "sound/CSound.h"
#include "support/Emulation.h"
#include "support/PlayDriver.h"
#include "support/ScriptedPlay.h"
#include "test_seam.h"

namespace fs = std::filesystem;

namespace {

TEST(NoSoundCard, TheGameStartsAndPlaysSilentlyWithoutAMessage) {
    platform::testing::StartHeadless();
    setenv("SDL_AUDIODRIVER", "pokutan_no_such_audio_driver", 1);  // no output can open
    platform::testing::SetClock(1000000000);
    ScratchRunFolder folder("no_sound_card");
    folder.WriteTestAssets();
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    ScriptedPlay play(game);
    ASSERT_TRUE(play.WalkFloors(1));
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
    EXPECT_TRUE(platform::testing::LogLines().empty());
    for (const char* name : {"BGMGame", "BGMScene", "Rhythm01", "Scene"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(CSound::Get(name), nullptr);
        EXPECT_NE(CSound::Get(name)->buffer, nullptr);
    }
    // The game music plays on, in real time, into the silent output. The test's music is half a
    // second long and the game starts it again each frame once it has run out, so it may have
    // just ended when one frame is looked at: some frame of a few must find it playing.
    bool playing = false;
    for (int frame = 0; frame < 10 && !playing; ++frame) {
        ASSERT_TRUE(play.Frame());
        DWORD status = 0;
        CSound::Get("BGMGame")->buffer->GetStatus(&status);
        playing = (status & DSBSTATUS_PLAYING) != 0;
    }
    EXPECT_TRUE(playing);
}

// The program started in its run folder with an environment where SDL finds no display.
TEST(NoDisplay, TheProgramWritesItsStartUpMessageOnStderrAndEndsWithZero) {
    const fs::path program = fs::path(POKUTAN_RUN_DIR) / "pokutan";
    ASSERT_TRUE(fs::exists(program)) << program;
    const fs::path errors =
        fs::temp_directory_path() / ("no_display_" + std::to_string(getpid()) + ".txt");
    const std::string command = "cd '" + std::string(POKUTAN_RUN_DIR) +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY "
                                "SDL_VIDEODRIVER=pokutan_no_such_video_driver "
                                "SDL_AUDIODRIVER=dummy " +
                                test_support::EmulatorPrefix() + "./pokutan 2>'" + errors.string() +
                                "' >/dev/null";
    const int status = std::system(command.c_str());
    std::ifstream file(errors);
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    fs::remove(errors);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << text;
    EXPECT_NE(text.find("アプリケーションの初期化に失敗しました"), std::string::npos) << text;
}

}  // namespace
