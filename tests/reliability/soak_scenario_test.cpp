// A long run: scripted plays from the title to the clear scene and back, again and again, with
// the game's own assets, and resident memory flat after the first loop. CI runs 1,500
// frames; POKUTAN_SOAK_FRAMES=100000 runs the long soak (see README). Under AddressSanitizer
// the memory check is left out (its quarantine grows on purpose); the sanitizers still watch
// every frame.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "audio_seam.h"
#include "support/PlayDriver.h"
#include "support/ScriptedPlay.h"
#include "test_seam.h"

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

namespace {

int64_t SoakFrames() {
    const char* asked = std::getenv("POKUTAN_SOAK_FRAMES");
    return asked ? std::max<int64_t>(1, std::atoll(asked)) : 1500;
}

// Resident memory in KiB, from the kernel's view of this process.
long ResidentKib() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

TEST(Soak, PlaysOverAndOverWithResidentMemoryFlat) {
    platform::testing::StartHeadless();
    platform::testing::SetClock(1000000000);
    platform::testing::UsePulledAudio();
    ScratchRunFolder folder("soak");
    folder.UseGeneratedAssets();
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    ScriptedPlay play(game);
    // Every fourth frame is drawn: each loop still draws every scene, its fades and the play's
    // render target many times, and 100,000 frames stay within a coffee break.
    play.beforeFrame = [&game](int64_t frame) {
        game.drawing = frame % 4 == 0;
        platform::testing::PullAudio(800);  // the mix of one frame, as the device would take it
    };
    ASSERT_TRUE(play.PlayOnce(3));
    const long afterFirstLoop = ResidentKib();
    const int64_t target = SoakFrames();
    int loops = 1;
    while (play.frames < target) {
        ASSERT_TRUE(play.PlayOnce(3)) << "loop " << loops + 1;
        ++loops;
    }
    const long atEnd = ResidentKib();
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
    std::printf(
        "[ figures  ] %lld frames in %d loops, resident %ld KiB after the first loop, "
        "%ld KiB at the end\n",
        static_cast<long long>(play.frames), loops, afterFirstLoop, atEnd);
    if (!kAddressSanitizer) {
        EXPECT_LE(atEnd - afterFirstLoop, 2048) << "resident memory grew";
    }
}

}  // namespace
