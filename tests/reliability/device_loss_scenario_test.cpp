// Device losses under play: a scripted play with hundreds of losses and resets injected at
// random frames (in the title, the play, the fades and the clear scene) ends in exactly the
// state the same play ends in without them, every Reset finds the default pool empty (or the
// game would end with its message), and no leak is left (the runs are child processes, checked
// by LeakSanitizer in the sanitizer build).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>

#include "ChildRun.h"
#include "support/PlayDriver.h"
#include "support/ScriptedPlay.h"
#include "test_seam.h"

namespace {

struct LossRun {
    bool played = false;
    PlayOutcome outcome;
    int lossesInjected = 0;
    int resets = 0;
    int messageBoxes = 0;
    int64_t frames = 0;
};

constexpr int kFloorsWalked = 3;

// One scripted play in this process; a loss before a frame with probability 1 / `oneIn`
// (never when 0).
LossRun PlayWithLosses(int oneIn, unsigned seed) {
    platform::testing::StartHeadless();
    platform::testing::SetClock(1000000000);
    ScratchRunFolder folder("device_loss");
    folder.WriteTestAssets();
    std::ofstream(folder.RecordPath(), std::ios::binary) << "12\r\n";
    LossRun run;
    TestGame game;
    if (!game.StartUp()) {
        return run;
    }
    platform::testing::StartTrace();
    std::mt19937 random(seed);
    ScriptedPlay play(game);
    // Every fourth frame is drawn (into the play's render target too): enough to use every
    // default-pool object between resets, and the run stays short under the sanitizers.
    play.beforeFrame = [&](int64_t frame) {
        game.drawing = frame % 4 == 0;
        const auto& trace = platform::testing::Trace();
        run.resets += static_cast<int>(std::count(trace.begin(), trace.end(), "Reset"));
        platform::testing::ClearTrace();
        if (oneIn > 0 && !CGame::deviceLost && random() % oneIn == 0) {
            platform::testing::LoseDevice(CGame::device, 1 + static_cast<int>(random() % 3));
            ++run.lossesInjected;
        }
    };
    run.played = play.PlayOnce(kFloorsWalked) && play.WalkFloors(1);
    play.beforeFrame = nullptr;
    // The last loss recovers before the run ends.
    play.FramesUntil([] { return !CGame::deviceLost; }, 100);
    const auto& trace = platform::testing::Trace();
    run.resets += static_cast<int>(std::count(trace.begin(), trace.end(), "Reset"));
    run.outcome = ScriptedPlay::Outcome();
    run.messageBoxes = static_cast<int>(platform::testing::MessageBoxes().size());
    run.frames = play.frames;
    return run;
}

TEST(DeviceLossUnderPlay, HundredsOfLossesAndResetsLeaveTheSameGameState) {
    const auto calm = RunInChild<LossRun>([] { return PlayWithLosses(0, 1); });
    ASSERT_TRUE(calm.exitedCleanly) << "status " << calm.status;
    ASSERT_TRUE(calm.result.played);
    EXPECT_EQ(calm.result.messageBoxes, 0);
    // The first play's one deliberate miss (floor 3) is the record; the second play is on floor 2.
    EXPECT_EQ(calm.result.outcome.record, 1);
    EXPECT_EQ(calm.result.outcome.floorIndex, 1);
    EXPECT_EQ(calm.result.outcome.misses, 0);

    const auto lossy = RunInChild<LossRun>([] { return PlayWithLosses(3, 20261208); });
    ASSERT_TRUE(lossy.exitedCleanly) << "status " << lossy.status;
    ASSERT_TRUE(lossy.result.played);
    EXPECT_GE(lossy.result.lossesInjected, 200);
    EXPECT_EQ(lossy.result.resets, lossy.result.lossesInjected) << "one Reset per loss";
    EXPECT_EQ(lossy.result.messageBoxes, 0) << "no Reset failed";
    EXPECT_EQ(lossy.result.outcome, calm.result.outcome);
    std::printf("[ figures  ] %d device losses injected and reset over %lld frames\n",
                lossy.result.lossesInjected, static_cast<long long>(lossy.result.frames));
}

}  // namespace
