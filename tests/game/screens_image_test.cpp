// Every screen of the game as it reaches the back buffer: the title, the play at its start and
// shaken, the clear screen after a record and after a tie, the pause scene and both fades at
// their darkest and half way. Each picture is compared with its reference beside the tests, and
// key pixels are checked exactly against the stand-in assets: where the grid, the marker, the
// rhythm indicator, the HUD text and the shadows land.
#include <string>

#include "game/CFloorMap.h"
#include "game/CPlayer.h"
#include "game/CRhythm.h"
#include "game/CSceneClear.h"
#include "game/CScenePause.h"
#include "game/CSceneTitle.h"
#include "game/CStairs.h"
#include "game/GameTest.h"
#include "support/PictureCompare.h"
#include "support/TestAssets.h"

namespace {

using platform::testing::Image;
using test_assets::AtlasColor;

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

std::string Reference(const std::string& name) {
    return "game/references/" + name + ".png";
}

int Channel(uint32_t pixel, int shift) {
    return static_cast<int>(pixel >> shift & 0xFF);
}

// The solid point of glyph number `index` of a line whose first glyph starts at pixel (x, y).
uint32_t GlyphPixel(const Image& screen, int x, int y, int g, int index) {
    return screen.At(x + index * g + test_assets::GlyphSolidX(g), y + test_assets::GlyphSolidY(g));
}

// Pixels of a 64-pixel line centred on (320, cy) with `length` glyphs: its first glyph's pixels
// start at (321 - 32 * length, cy - 31).
int LineLeft(int length) {
    return 321 - 32 * length;
}

class ScreensImageTest : public GameTest {
  protected:
    static void ExpectBackgroundAt(const Image& screen, int x, int y) {
        const uint32_t pixel = screen.At(x, y);
        EXPECT_NE(pixel, kBlack) << x << "," << y;
        EXPECT_NE(pixel, kWhite) << x << "," << y;
    }

    // The grid, the marker, the stairs and the rhythm indicator of the play field, shifted by
    // (dx, dy).
    static void ExpectPlayField(const Image& screen, int dx = 0, int dy = 0) {
        const std::string& map = CFloorMap::GetInstance()->workingMap;
        const CPlayer* player = CPlayer::GetInstance();
        const CStairs* stairs = CStairs::GetInstance();
        for (int index = 0; index < GRID_CELLS; ++index) {
            const int x = index % GRID_SIZE;
            const int y = index / GRID_SIZE;
            const int cx = 192 + 32 * x + dx;
            const int cy = 112 + 32 * y + dy;
            uint32_t expected = AtlasColor(map[index] - '0', 0);
            if (x == player->x && y == player->y) {
                const Timer& anim = player->animTimer;
                const int frame = static_cast<int>(2 * (anim.time / anim.period)) >= 1 ? 1 : 0;
                expected = AtlasColor(frame, 1);
            } else if (x == stairs->x && y == stairs->y) {
                expected = AtlasColor(2, 0);
            }
            EXPECT_EQ(screen.At(cx, cy), expected) << "cell " << x << "," << y;
        }
        // The grid's shadow: a 4-pixel black strip right of and below the cells.
        EXPECT_EQ(screen.At(465 + dx, 240 + dy), kBlack);
        EXPECT_EQ(screen.At(320 + dx, 385 + dy), kBlack);
        ExpectBackgroundAt(screen, 470 + dx, 240 + dy);
        // The indicator: the running phase in red, each with its shadow below.
        const int phase = CRhythm::GetInstance()->phase;
        for (int i = 0; i < 4; ++i) {
            const uint32_t cell = AtlasColor(i, 3);
            EXPECT_EQ(screen.At(272 + 32 * i + dx, 448 + dy),
                      i == phase ? (cell & 0xFFFF0000) : cell)
                << "indicator " << i;
            EXPECT_EQ(screen.At(272 + 32 * i + dx, 466 + dy), kBlack) << "shadow " << i;
        }
    }

    // "B01F" at (0, 0) and "MISS:" at (160, 0), 32-pixel glyphs, with their shadows.
    static void ExpectHud(const Image& screen, int floorLength, int missLength) {
        for (int i = 0; i < floorLength; ++i) {
            EXPECT_EQ(GlyphPixel(screen, 1, 1, 32, i), kWhite) << "floor glyph " << i;
        }
        for (int i = 0; i < missLength; ++i) {
            EXPECT_EQ(GlyphPixel(screen, 161, 1, 32, i), kWhite) << "miss glyph " << i;
        }
        EXPECT_EQ(screen.At(26, 11), kBlack);  // the shadow of "B", right of its glyph
        EXPECT_EQ(screen.At(186, 11), kBlack);
        ExpectBackgroundAt(screen, 30, 30);
        ExpectBackgroundAt(screen, 161 + 32 * missLength + 10, 10);
    }

    // Title or clear: the three 64-pixel lines with their shadows.
    static void ExpectLines(const Image& screen, int firstLength, uint32_t countColour,
                            uint32_t promptColour) {
        const int x = LineLeft(firstLength);
        for (int i = 0; i < firstLength; ++i) {
            EXPECT_EQ(GlyphPixel(screen, x, 65, 64, i), kWhite) << "glyph " << i;
        }
        EXPECT_EQ(screen.At(x + 50, 80), kBlack);  // the first glyph's shadow
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(GlyphPixel(screen, LineLeft(3), 209, 64, i), countColour) << "digit " << i;
        }
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(GlyphPixel(screen, LineLeft(5), 353, 64, i), promptColour) << "CLICK " << i;
        }
    }

    void ToPause() {
        auto& active = CSceneManager::GetInstance()->activeScenes;
        active.clear();
        active.push_back(CScenePause::GetInstance());
        Frame();
    }

    // A finished play of `misses` against the record of 12, shown once the fade has cleared.
    void ToClear(int misses) {
        StartAPlay();
        CPlayState* play = CPlayState::GetInstance();
        play->misses = misses;
        play->newRecord = misses < play->record;
        play->finished = true;
        FramesUntil([] { return ActiveScene() == CSceneClear::GetInstance(); });
        FramesUntil([] { return longFade.state == FADE_IDLE; });
    }
};

TEST_F(ScreensImageTest, Title) {
    Frame();
    const Image screen = Screen();
    EXPECT_TRUE(pokutan_test::MatchesReference(screen, Reference("title"), "title", 3));
    ExpectLines(screen, 7, kWhite, kWhite);  // "POKUTAN", "012", "CLICK"
    // The glyph drawn is the one of its character: the hole of "0" shows the shadow under it.
    EXPECT_EQ(screen.At(LineLeft(3) + test_assets::NotchX('0', 64) + 2,
                        209 + test_assets::NotchY('0', 64) + 2),
              kBlack);
}

TEST_F(ScreensImageTest, TitlePromptTurnsRed) {
    FramesUntil([] { return !CSceneTitle::GetInstance()->blinkOn; });
    const Image screen = Screen();
    ExpectLines(screen, 7, kWhite, 0xFFFF0000);
}

TEST_F(ScreensImageTest, PlayAtItsStart) {
    StartAPlay();
    const Image screen = Screen();
    EXPECT_TRUE(pokutan_test::MatchesReference(screen, Reference("play_start"), "play_start", 3));
    ExpectPlayField(screen);
    ExpectHud(screen, 4, 7);  // B01F, MISS:00
}

TEST_F(ScreensImageTest, AMissCountOfAHundredIsPrintedInFull) {
    StartAPlay();
    CPlayState::GetInstance()->misses = 99;
    Frame();
    ExpectHud(Screen(), 4, 7);
    CPlayState::GetInstance()->misses = 100;
    Frame();
    ExpectHud(Screen(), 4, 8);  // MISS:100
}

TEST_F(ScreensImageTest, PlayShakenLeavesABlackBorder) {
    StartAPlay();
    CPlayState* play = CPlayState::GetInstance();
    // The shake's offset is random; this test holds it to one value while the shake runs.
    game.onUpdate = [play](TestGame&) {
        if (!play->shakeTimer.expired) {
            play->shakeOffset = D3DXVECTOR2(12.0f, -9.0f);
        }
    };
    for (int frame = 0; frame < 60 && PhaseOfNextUpdate() != 2; ++frame) {
        Frame();
    }
    Press(VK_LBUTTON);  // up from (4, 1): the wall
    Frame();
    ASSERT_EQ(play->misses, 1);
    const Image screen = Screen();
    EXPECT_TRUE(pokutan_test::MatchesReference(screen, Reference("play_shake"), "play_shake", 3));
    ExpectPlayField(screen, 12, -9);
    for (int y = 0; y < 480; y += 7) {
        for (int x = 0; x < 11; ++x) {
            ASSERT_EQ(screen.At(x, y), kBlack) << x << "," << y;
        }
    }
    for (int x = 0; x < 640; x += 5) {
        for (int y = 472; y < 480; ++y) {
            ASSERT_EQ(screen.At(x, y), kBlack) << x << "," << y;
        }
    }
    ExpectBackgroundAt(screen, 13, 200);
    ExpectBackgroundAt(screen, 600, 470);
}

TEST_F(ScreensImageTest, ClearAfterARecordBlinksTheCount) {
    ToClear(3);
    CSceneClear* clear = CSceneClear::GetInstance();
    FramesUntil([clear] { return clear->recordBlinkOn; }, 60);
    const Image shown = Screen();
    EXPECT_TRUE(
        pokutan_test::MatchesReference(shown, Reference("clear_record"), "clear_record", 3));
    ExpectLines(shown, 6, kWhite, clear->blinkOn ? kWhite : 0xFFFF0000);  // "RESULT", "003"

    FramesUntil([clear] { return !clear->recordBlinkOn; }, 60);
    const Image hidden = Screen();
    for (int i = 0; i < 3; ++i) {
        const uint32_t pixel = GlyphPixel(hidden, LineLeft(3), 209, 64, i);
        EXPECT_NE(pixel, kWhite);
        EXPECT_EQ(pixel, hidden.At(5, 240)) << "only the background where the count was";
    }
}

TEST_F(ScreensImageTest, ClearAfterATieShowsTheCountSteadily) {
    ToClear(12);
    const Image screen = Screen();
    EXPECT_TRUE(pokutan_test::MatchesReference(screen, Reference("clear_tie"), "clear_tie", 3));
    CSceneClear* clear = CSceneClear::GetInstance();
    ExpectLines(screen, 6, kWhite, clear->blinkOn ? kWhite : 0xFFFF0000);
    Frames(40);
    ExpectLines(Screen(), 6, kWhite, clear->blinkOn ? kWhite : 0xFFFF0000);
}

TEST_F(ScreensImageTest, PauseShowsThePlayField) {
    StartAPlay();
    ToPause();
    const Image screen = Screen();
    EXPECT_TRUE(pokutan_test::MatchesReference(screen, Reference("pause"), "pause", 3));
    ExpectPlayField(screen);
    ExpectHud(screen, 4, 7);
}

// The fade over the title: a white text pixel dims to 255 * (1 - alpha), the shadow stays black.
void ExpectDimmedTitle(const Image& screen, const CFade& fade) {
    const int alpha = static_cast<int>(fade.vertices[0].color >> 24);
    const uint32_t text = GlyphPixel(screen, LineLeft(7), 65, 64, 0);
    for (int shift : {16, 8, 0}) {
        EXPECT_NEAR(Channel(text, shift), 255 * (255 - alpha) / 255, 2);
    }
    EXPECT_EQ(screen.At(LineLeft(7) + 50, 80), kBlack);
}

TEST_F(ScreensImageTest, LongFadeHalfWayAndAtItsDarkest) {
    Press(VK_LBUTTON);
    Frames(31);
    ASSERT_EQ(longFade.state, FADE_IN);
    ASSERT_EQ(longFade.vertices[0].color >> 24, 128u);  // 0.5 of the way to black
    const Image half = Screen();
    EXPECT_TRUE(
        pokutan_test::MatchesReference(half, Reference("long_fade_half"), "long_fade_half", 3));
    ExpectDimmedTitle(half, longFade);

    FramesUntil([] { return longFade.state == FADE_COVERED; });
    const Image dark = Screen();
    EXPECT_TRUE(
        pokutan_test::MatchesReference(dark, Reference("long_fade_dark"), "long_fade_dark", 0));
    for (uint32_t pixel : dark.pixels) {
        ASSERT_EQ(pixel, kBlack);
    }
}

TEST_F(ScreensImageTest, ShortFadeHalfWayAndAtItsDarkest) {
    Frame();
    shortFade.StartFade();
    Frames(8);  // alpha 7/15, the frame nearest half way
    ASSERT_EQ(shortFade.state, FADE_IN);
    const Image half = Screen();
    EXPECT_TRUE(
        pokutan_test::MatchesReference(half, Reference("short_fade_half"), "short_fade_half", 3));
    ExpectDimmedTitle(half, shortFade);

    FramesUntil([] { return shortFade.state == FADE_COVERED; });
    const Image dark = Screen();
    EXPECT_TRUE(
        pokutan_test::MatchesReference(dark, Reference("short_fade_dark"), "short_fade_dark", 0));
    for (uint32_t pixel : dark.pixels) {
        ASSERT_EQ(pixel, kBlack);
    }
}

}  // namespace
