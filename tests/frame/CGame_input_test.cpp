// The frame's input snapshot: taps between frames, held buttons, and the keyboard holders
// published to the game.
#include "dinput.h"
#include "frame/FrameTest.h"
#include "frame/SharedContext.h"
#include "input/CJoystick.h"
#include "input/CKeyboard.h"
#include "input/CMouse.h"
#include "input/KeyBindings.h"
#include "input/KeyState.h"

namespace {

class FrameInputTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        game.onUpdate = [this](TestGame&) { decided.push_back(IsActionPressed(ACTION_DECIDE)); };
        ASSERT_TRUE(game.StartUp());
    }

    TestGame game;
    std::vector<bool> decided;  // per frame
};

TEST_F(FrameInputTest, ContextPointsAtTheKeyStateAndTheKeyboard) {
    EXPECT_EQ(SharedContext.keyState, KeyStateBuffer());
    EXPECT_EQ(SharedContext.joystick, CJoystick::GetInstance());
    EXPECT_EQ(SharedContext.keyboard, CKeyboard::GetInstance());
    EXPECT_EQ(SharedContext.mouse, CMouse::GetInstance());
    EXPECT_EQ(SharedContext.hWnd, CGame::hWnd);
    EXPECT_EQ(SharedContext.device, CGame::device);
    EXPECT_EQ(SharedContext.screenWidth, 640);
    EXPECT_EQ(SharedContext.screenHeight, 480);
    ASSERT_NE(SharedContext.sharedSprite, nullptr);
    EXPECT_NE(*SharedContext.sharedSprite, nullptr);
}

TEST_F(FrameInputTest, ATapBetweenTwoFramesCountsOnceInTheNextFrame) {
    ASSERT_TRUE(game.NextFrameTurn());
    platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, true, 100, 100);
    platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, false, 100, 100);
    ASSERT_TRUE(game.NextFrameTurn());
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(decided, (std::vector<bool>{false, true, false}));
}

TEST_F(FrameInputTest, AHeldButtonCountsInItsFirstFrameOnly) {
    platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, true);
    for (int frame = 0; frame < 3; ++frame) {
        ASSERT_TRUE(game.NextFrameTurn());
    }
    platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, false);
    ASSERT_TRUE(game.NextFrameTurn());
    platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, true);
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(decided, (std::vector<bool>{true, false, false, false, true}));
}

TEST_F(FrameInputTest, TheDirectInputKeyboardIsPolledEveryFrame) {
    platform::testing::InjectKey(CGame::hWnd, VK_SPACE, true);
    ASSERT_TRUE(game.NextFrameTurn());
    CKeyboard* keyboard = CKeyboard::GetInstance();
    EXPECT_EQ(keyboard->current[DIK_SPACE] & 0x80, 0x80);
    platform::testing::InjectKey(CGame::hWnd, VK_SPACE, false);
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(keyboard->current[DIK_SPACE] & 0x80, 0);
    EXPECT_EQ(keyboard->previous[DIK_SPACE] & 0x80, 0x80);
}

TEST_F(FrameInputTest, JoysticksAndTheMouseArePolledEveryFrame) {
    ASSERT_TRUE(game.NextFrameTurn());
    platform::testing::InjectMouseMove(CGame::hWnd, 40, 30);
    ASSERT_TRUE(game.NextFrameTurn());
    CMouse* mouse = CMouse::GetInstance();
    EXPECT_EQ(mouse->current.lX, 40);
    EXPECT_EQ(mouse->cursorClient.x, 40);
    EXPECT_EQ(mouse->cursorClient.y, 30);
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(mouse->current.lX, 0);
    EXPECT_EQ(mouse->previous.lX, 40);
}

}  // namespace
