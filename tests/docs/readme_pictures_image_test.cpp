// The pictures at the top of the README are the game's own frames: the title and a play in
// progress, drawn headless with the generated assets. This test draws them again and fails when
// the files in docs/ no longer match; `bash scripts/docs.sh` writes them anew.
#include <cstdlib>

#include "game/CFloorMap.h"
#include "game/CPlayer.h"
#include "game/CStairs.h"
#include "game/GameTest.h"
#include "support/PictureCompare.h"

namespace {

using pokutan_test::MatchesReference;

const std::string kDocs = std::string(POKUTAN_TEST_SOURCE_DIR) + "/../docs/";

class ReadmePicturesTest : public GameTest {
  protected:
    ReadmePicturesTest() { generatedAssets = true; }

    void SetUp() override {
        GameTest::SetUp();
        // A cyan moment of the background with its layers spread, the same on every run.
        std::srand(2026);
        CBackground* background = CBackground::GetInstance();
        background->colorIndex = 3;
        background->colorTimer.time = 0.5f;
        background->ShuffleBackgroundAngles();
    }

    void WalkToTheStairs() {
        const int floorIndex = CFloorMap::GetInstance()->floorIndex;
        CStairs* stairs = CStairs::GetInstance();
        CPlayer* player = CPlayer::GetInstance();
        while (CFloorMap::GetInstance()->floorIndex == floorIndex && !HasFatalFailure()) {
            if (player->x == stairs->x && player->y == stairs->y) {
                Frame();  // on the stairs: the next floor comes under the short fade
                continue;
            }
            const int phase = FirstStepToward(stairs->x, stairs->y);
            ASSERT_GE(phase, 0);
            ClickOnPhase(phase);
        }
    }
};

TEST_F(ReadmePicturesTest, TitleScreen) {
    Frames(20);
    EXPECT_TRUE(MatchesReference(Screen(), kDocs + "title.png", "readme_title", 3, 20));
}

TEST_F(ReadmePicturesTest, PlayInProgress) {
    StartAPlay();
    WalkToTheStairs();
    Frames(40);  // the short fade over the floor change clears
    ClickOnPhase(PhaseIntoWall());
    Frames(20);  // the shake settles
    const int phase = FirstStepToward(CStairs::GetInstance()->x, CStairs::GetInstance()->y);
    ClickOnPhase(phase);
    ClickOnPhase(FirstStepToward(CStairs::GetInstance()->x, CStairs::GetInstance()->y));
    Frames(3);
    EXPECT_EQ(CFloorMap::GetInstance()->floorIndex, 1);
    EXPECT_EQ(CPlayState::GetInstance()->misses, 1);
    EXPECT_TRUE(MatchesReference(Screen(), kDocs + "play.png", "readme_play", 3, 20));
}

}  // namespace
