// Device loss, window size changes and the switch between window and full screen: the release,
// Reset and restore sequence around each.
#include "frame/FrameTest.h"

namespace {

using platform::testing::Failure;
using Trace = std::vector<std::string>;

class DeviceTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        ASSERT_TRUE(game.StartUp());
        ASSERT_TRUE(game.NextFrameTurn());
        platform::testing::ClearTrace();
    }

    TestGame game;
};

// The game's hook, the frame's sprite, the font registry's sprite, the debug text's font and
// the shared sprite; the effect, font, depth-stencil and texture tables are empty.
const Trace kReleaseResetRestore = {"Game.OnLostDevice",
                                    "Sprite.OnLostDevice",
                                    "Sprite.OnLostDevice",
                                    "Font.OnLostDevice MS ゴシック",
                                    "Sprite.OnLostDevice",
                                    "Reset",
                                    "Sprite.OnResetDevice",
                                    "Sprite.OnResetDevice",
                                    "Font.OnResetDevice MS ゴシック",
                                    "Sprite.OnResetDevice",
                                    "Game.OnResetDevice"};

TEST_F(DeviceTest, LostDeviceWaitsThenRecoversAndFramesResumeOnTheSameTurn) {
    platform::testing::LoseDevice(CGame::device, 1);
    ASSERT_TRUE(game.NextFrameTurn());  // its Present reports the loss
    EXPECT_TRUE(CGame::deviceLost);

    // Still lost: wait, test, no frame.
    platform::testing::ClearTrace();
    int64_t before = platform::testing::Clock();
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(platform::testing::Trace(), (Trace{"Sleep 100", "TestCooperativeLevel"}));
    EXPECT_EQ(platform::testing::Clock() - before, 100000000);
    EXPECT_TRUE(CGame::deviceLost);

    // Ready to be reset: the whole sequence, then a frame on the same idle turn.
    platform::testing::ClearTrace();
    int updates = game.updates;
    ASSERT_TRUE(game.IdleTurn());
    Trace expected = {"Sleep 100", "TestCooperativeLevel"};
    expected.insert(expected.end(), kReleaseResetRestore.begin(), kReleaseResetRestore.end());
    expected.insert(expected.end(), {"Game.Update", "Game.Render", "Present"});
    EXPECT_EQ(platform::testing::Trace(), expected);
    EXPECT_FALSE(CGame::deviceLost);
    EXPECT_EQ(game.updates, updates + 1);
}

TEST_F(DeviceTest, MessagesAreStillHandledWhileTheDeviceIsLost) {
    platform::testing::LoseDevice(CGame::device, 1000);
    ASSERT_TRUE(game.NextFrameTurn());
    ASSERT_TRUE(CGame::deviceLost);
    platform::testing::InjectKey(CGame::hWnd, VK_ESCAPE, true);
    EXPECT_EQ(game.RunToEnd(), 0);
    EXPECT_EQ(game.shutdowns, 1);
}

TEST_F(DeviceTest, FailedRecoveryResetEndsTheProgramWithItsMessage) {
    platform::testing::LoseDevice(CGame::device, 0);
    ASSERT_TRUE(game.NextFrameTurn());
    platform::testing::InjectFailure(Failure::Reset);
    EXPECT_EQ(game.RunToEnd(), 0);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"デバイスの復元に失敗しました"}));
}

TEST_F(DeviceTest, ResetFailsWhileADefaultPoolObjectIsAlive) {
    // The frame's sprite, the font registry's sprite, the debug text's font, the shared sprite
    // and the game's off-screen target and depth stencil hold default-pool objects until released.
    EXPECT_EQ(platform::testing::DefaultPoolObjects(CGame::device), 6);
    D3DPRESENT_PARAMETERS parameters = CGame::presentParams;
    EXPECT_EQ(CGame::device->Reset(&parameters), D3DERR_INVALIDCALL);
    game.ReleaseDeviceObjects();
    EXPECT_EQ(platform::testing::DefaultPoolObjects(CGame::device), 0);
    EXPECT_EQ(CGame::device->Reset(&parameters), D3D_OK);
    game.RestoreDeviceObjects();
    EXPECT_EQ(platform::testing::DefaultPoolObjects(CGame::device), 6);
}

TEST_F(DeviceTest, MinimisingDoesNotResetButRestoringAndMaximisingDo) {
    platform::testing::InjectWindowMinimized(CGame::hWnd);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(Count("Reset"), 0u);

    platform::testing::InjectWindowRestored(CGame::hWnd);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(TraceFrom("Game.OnLostDevice"), kReleaseResetRestore);

    platform::testing::ClearTrace();
    platform::testing::InjectWindowMaximized(CGame::hWnd);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(Count("Reset"), 1u);
}

TEST_F(DeviceTest, ResizingKeepsTheBackBufferSize) {
    platform::testing::InjectWindowResized(CGame::hWnd, 800, 700);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(Count("Reset"), 1u);
    EXPECT_EQ(CGame::presentParams.BackBufferWidth, 640u);
    EXPECT_EQ(CGame::presentParams.BackBufferHeight, 480u);
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(platform::testing::ReadBackBuffer(CGame::device).width, 640);
}

TEST_F(DeviceTest, NoResetForSizeMessagesWhileLostOrFullScreen) {
    platform::testing::LoseDevice(CGame::device, 1000);
    ASSERT_TRUE(game.NextFrameTurn());
    ASSERT_TRUE(CGame::deviceLost);
    platform::testing::ClearTrace();
    platform::testing::InjectWindowRestored(CGame::hWnd);
    platform::testing::InjectWindowMinimized(CGame::hWnd);
    platform::testing::InjectWindowRestored(CGame::hWnd);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_EQ(Count("Reset"), 0u);
}

TEST_F(DeviceTest, SizeMessageWithALostDeviceMarksItLostWithoutEndingTheProgram) {
    platform::testing::LoseDevice(CGame::device, 5);  // the frame does not know yet
    platform::testing::InjectWindowResized(CGame::hWnd, 700, 500);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_TRUE(CGame::deviceLost);
    EXPECT_TRUE(IsWindow(CGame::hWnd));
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{
                  "スワップチェーンのタイプ、サイズ、フォーマットのリセットに失敗しました"}));
}

TEST_F(DeviceTest, SizeMessageWithAFailingResetDestroysTheWindow) {
    platform::testing::InjectFailure(Failure::Reset);
    platform::testing::InjectWindowResized(CGame::hWnd, 700, 500);
    EXPECT_EQ(game.RunToEnd(), 0);
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{
                  "スワップチェーンのタイプ、サイズ、フォーマットのリセットに失敗しました"}));
}

TEST_F(DeviceTest, WSwitchesToFullScreenAndBackToTheSameWindowRectangle) {
    HMENU menu = CreateMenu();
    ASSERT_TRUE(SetMenu(CGame::hWnd, menu));
    RECT before = {};
    ASSERT_TRUE(GetWindowRect(CGame::hWnd, &before));

    platform::testing::InjectKey(CGame::hWnd, 'W', true);
    platform::testing::InjectKey(CGame::hWnd, 'W', false);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_FALSE(CGame::windowed);
    EXPECT_FALSE(CGame::presentParams.Windowed);
    EXPECT_EQ(TraceFrom("Game.OnLostDevice"), kReleaseResetRestore);
    EXPECT_EQ(GetWindowLongA(CGame::hWnd, GWL_STYLE), WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetMenu(CGame::hWnd), nullptr);
    EXPECT_EQ(CGame::hMenu, menu);
    // No cursor over a full-screen window.
    EXPECT_EQ(SendMessageA(CGame::hWnd, WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    ASSERT_TRUE(game.NextFrameTurn());

    platform::testing::ClearTrace();
    platform::testing::InjectKey(CGame::hWnd, 'W', true);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_TRUE(CGame::windowed);
    EXPECT_TRUE(CGame::presentParams.Windowed);
    EXPECT_EQ(GetWindowLongA(CGame::hWnd, GWL_STYLE), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(GetMenu(CGame::hWnd), menu);
    EXPECT_EQ(CGame::hMenu, nullptr);
    RECT after = {};
    ASSERT_TRUE(GetWindowRect(CGame::hWnd, &after));
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    RECT client = {};
    GetClientRect(CGame::hWnd, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    ASSERT_TRUE(game.NextFrameTurn());
}

TEST_F(DeviceTest, FailedSwitchKeepsTheFlagToggledAndTheStyleUnchanged) {
    platform::testing::LoseDevice(CGame::device, 5);
    platform::testing::InjectKey(CGame::hWnd, 'W', true);
    ASSERT_TRUE(game.IdleTurn());
    EXPECT_FALSE(CGame::windowed);
    EXPECT_TRUE(CGame::deviceLost);
    EXPECT_EQ(GetWindowLongA(CGame::hWnd, GWL_STYLE), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
}

TEST_F(DeviceTest, EscapeClosesFromFullScreenToo) {
    platform::testing::InjectKey(CGame::hWnd, 'W', true);
    ASSERT_TRUE(game.IdleTurn());
    ASSERT_FALSE(CGame::windowed);
    platform::testing::InjectKey(CGame::hWnd, VK_ESCAPE, true);
    EXPECT_EQ(game.RunToEnd(), 0);
}

}  // namespace
