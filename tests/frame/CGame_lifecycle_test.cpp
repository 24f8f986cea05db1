// Start-up, its failures with their messages, and the way out through Escape.
#include "frame/FrameTest.h"
#include "frame/SharedContext.h"
#include "graphics/CDebugText.h"
#include "graphics/CFontRegistry.h"

namespace {

using platform::testing::Failure;
using platform::testing::InjectFailure;

class LifecycleTest : public FrameTest {};

TEST_F(LifecycleTest, WindowIsCreatedWithTheGameNameAndClientSize) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    RECT client = {};
    ASSERT_TRUE(GetClientRect(CGame::hWnd, &client));
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_STREQ(CGame::caption, "ポクタン");
    EXPECT_EQ(GetWindowLongA(CGame::hWnd, GWL_STYLE), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(GetWindowLongA(CGame::hWnd, GWL_WNDPROC),
              reinterpret_cast<LONG_PTR>(&CGame::WndProc));
    EXPECT_EQ(CGame::presentParams.BackBufferWidth, 640u);
    EXPECT_EQ(CGame::presentParams.BackBufferHeight, 480u);
    EXPECT_EQ(game.initCalls, 1);
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
}

TEST_F(LifecycleTest, EscapeClosesDestroysQuitsAndShutsDownWithExitCodeZero) {
    TestGame game;
    game.onInit = [](TestGame&) { platform::testing::InjectKey(CGame::hWnd, VK_ESCAPE, true); };
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(game.shutdowns, 1);
    std::vector<UINT> wanted = {WM_KEYDOWN, WM_CLOSE, WM_DESTROY};
    auto it = game.messages.begin();
    for (UINT message : wanted) {
        it = std::find(it, game.messages.end(), message);
        ASSERT_NE(it, game.messages.end()) << "missing message " << message;
    }
    EXPECT_FALSE(IsWindow(CGame::hWnd));
    // The class is gone with the run.
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = CGame::className;
    EXPECT_NE(RegisterClassExA(&wc), 0);
}

TEST_F(LifecycleTest, ClosingTheWindowEndsTheRunToo) {
    TestGame game;
    game.onInit = [](TestGame&) { platform::testing::InjectWindowClose(CGame::hWnd); };
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(game.shutdowns, 1);
}

TEST_F(LifecycleTest, ClassRegistrationFailureShowsBothMessages) {
    InjectFailure(Failure::RegisterClass);
    TestGame game;
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"ウィンドウクラスの登録に失敗しました",
                                                        "アプリケーションの初期化に失敗しました"}));
    for (const auto& box : platform::testing::MessageBoxes()) {
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.type, static_cast<unsigned>(MB_OK));
    }
    EXPECT_EQ(game.initCalls, 0);
}

TEST_F(LifecycleTest, WindowCreationFailureShowsBothMessages) {
    InjectFailure(Failure::CreateWindow);
    TestGame game;
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"ウィンドウハンドルが存在しません",
                                                        "アプリケーションの初期化に失敗しました"}));
}

TEST_F(LifecycleTest, MissingDirect3DEndsWithoutInitOrFrames) {
    InjectFailure(Failure::Direct3DCreate);
    TestGame game;
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Direct3Dインターフェイスが存在しません",
                                                        "DirectXGraphicsの初期化に失敗しました"}));
    EXPECT_EQ(game.initCalls, 0);
    EXPECT_EQ(game.updates, 0);
    EXPECT_EQ(game.shutdowns, 1);
}

TEST_F(LifecycleTest, DeviceCreationFallsBackToSoftwareVertexProcessing) {
    InjectFailure(Failure::CreateDeviceHalHardware);
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    EXPECT_NE(CGame::device, nullptr);
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
}

TEST_F(LifecycleTest, DeviceCreationFallsBackToTheReferenceDevice) {
    InjectFailure(Failure::CreateDeviceHalHardware);
    InjectFailure(Failure::CreateDeviceHalSoftware);
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    EXPECT_NE(CGame::device, nullptr);
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
}

TEST_F(LifecycleTest, NoDeviceAtAllShowsTheAdapterMessageAndEnds) {
    InjectFailure(Failure::CreateDeviceHalHardware);
    InjectFailure(Failure::CreateDeviceHalSoftware);
    InjectFailure(Failure::CreateDeviceRef);
    TestGame game;
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                  "ディスプレイ・アダプタを表すためのデバイスの作成に失敗しました",
                                  "DirectXGraphicsの初期化に失敗しました"}));
    EXPECT_EQ(game.initCalls, 0);
    EXPECT_EQ(game.updates, 0);
}

struct LateFailure {
    Failure failure;
    const char* name;
    const char* message;
};

class LateDeviceFailureTest : public LifecycleTest,
                              public ::testing::WithParamInterface<LateFailure> {};

TEST_P(LateDeviceFailureTest, ShowsItsMessageAndTheGameStillRuns) {
    InjectFailure(GetParam().failure);
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{GetParam().message,
                                                        "DirectXGraphicsの初期化に失敗しました"}));
    EXPECT_EQ(game.initCalls, 1);
    EXPECT_TRUE(game.NextFrameTurn());
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, LateDeviceFailureTest,
    ::testing::Values(
        LateFailure{Failure::SetViewport, "Viewport", "ビューポートの設定に失敗しました"},
        LateFailure{Failure::CreateSprite, "Sprite", "スプライトオブジェクトの作成に失敗しました"},
        LateFailure{Failure::DirectSoundCreate, "DirectSound",
                    "IDirectSound8インターフェイスをサポートするオブジェクトの作成および初期化に"
                    "失敗しました"},
        LateFailure{Failure::SoundCooperativeLevel, "CooperativeLevel",
                    "サウンドデバイスに対するアプリケーションの協調レベルの設定に失敗しました"}),
    [](const ::testing::TestParamInfo<LateFailure>& info) { return info.param.name; });

TEST_F(LifecycleTest, LaterObjectsAreNotMadeAfterAFailedStep) {
    InjectFailure(Failure::CreateSprite);
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    EXPECT_EQ(CGame::sprite, nullptr);
    EXPECT_EQ(CGame::directSound, nullptr);
    EXPECT_NE(CGame::device, nullptr);
}

TEST_F(LifecycleTest, StartUpPublishesTheFontRegistryWithItsSpriteAndMakesTheDebugText) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    ASSERT_EQ(SharedContext.fontRegistry, CFontRegistry::GetInstance());
    EXPECT_NE(SharedContext.fontRegistry->sprite, nullptr);
    EXPECT_NE(CDebugText::GetInstance()->font, nullptr);
    EXPECT_EQ(Count("D3DXCreateFontA MS ゴシック 14 0 400 128"), 1u);
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(Count("D3DXCreateFontA MS ゴシック 14 0 400 128"), 1u) << "made once";
}

TEST_F(LifecycleTest, WithoutTheFontRegistrysSpriteTheFramesStillRun) {
    // The frame's own sprite fails first (and says so); the font registry's is the second.
    InjectFailure(Failure::CreateSprite, 2);
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    EXPECT_EQ(CFontRegistry::GetInstance()->sprite, nullptr);
    ASSERT_TRUE(game.NextFrameTurn());
    EXPECT_EQ(game.renders, 1);
    platform::testing::LoseDevice(CGame::device, 0);
    ASSERT_TRUE(game.NextFrameTurn());
    ASSERT_TRUE(game.NextFrameTurn()) << "recovered without the sprite";
    EXPECT_EQ(Count("Reset"), 1u);
}

}  // namespace
