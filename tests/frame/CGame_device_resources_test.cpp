// A lost device during a play: the frame's release and restore run the registries' fan-outs,
// so the off-screen target and depth stencil that the game's set-up made are really released,
// the Reset succeeds and both are built again at their first size.
#include "frame/FrameTest.h"
#include "graphics/CDebugText.h"
#include "graphics/CDepthStencil.h"
#include "graphics/CFont.h"
#include "graphics/CFontRegistry.h"
#include "graphics/CTexture.h"

namespace {

class DeviceResourcesFrameTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        game.onInit = [](TestGame&) {
            // No game font is requested by name; one is put in the table as a later game would.
            CFontRegistry::GetInstance()->fonts.entries["Menu"] = new CFont(false, 0, 24, "Menu");
        };
        ASSERT_TRUE(game.StartUp());
        ASSERT_TRUE(game.NextFrameTurn());
    }

    TestGame game;
};

TEST_F(DeviceResourcesFrameTest, LostDeviceReleasesAndRebuildsTheRenderTargetAndDepthStencil) {
    ASSERT_NE(CTexture::Get("Render"), nullptr);
    ASSERT_NE(CTexture::Get("Render")->texture, nullptr);
    ASSERT_NE(CDepthStencil::Get("Render")->surface, nullptr);
    // The frame's sprite, the font registry's sprite, the debug text's font, the shared sprite,
    // the target, the depth stencil and the registry's font.
    EXPECT_EQ(platform::testing::DefaultPoolObjects(CGame::device), 7);

    platform::testing::LoseDevice(CGame::device, 0);
    ASSERT_TRUE(game.NextFrameTurn());  // its Present reports the loss
    ASSERT_TRUE(CGame::deviceLost);
    platform::testing::ClearTrace();
    ASSERT_TRUE(game.IdleTurn());  // recovery, then a frame

    EXPECT_FALSE(CGame::deviceLost);
    EXPECT_EQ(Count("Reset"), 1u) << "the first Reset succeeds";
    EXPECT_TRUE(MessageTexts().empty());
    CTexture* target = CTexture::Get("Render");
    CDepthStencil* depth = CDepthStencil::Get("Render");
    ASSERT_NE(target, nullptr);
    ASSERT_NE(depth, nullptr);
    ASSERT_NE(target->texture, nullptr);
    ASSERT_NE(depth->surface, nullptr);
    D3DSURFACE_DESC desc;
    target->texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 640u);
    EXPECT_EQ(desc.Height, 480u);
    depth->surface->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 640u);
    EXPECT_EQ(desc.Height, 480u);
    EXPECT_EQ(platform::testing::DefaultPoolObjects(CGame::device), 7);
}

TEST_F(DeviceResourcesFrameTest,
       FontsDropTheirDeviceStateWithTheRegistrySpriteAndKeepTheirObjects) {
    CFont* menu = CFontRegistry::GetInstance()->Get("Menu");
    ID3DXFont* menuFont = menu->font;
    ID3DXFont* debugFont = CDebugText::GetInstance()->font;
    platform::testing::LoseDevice(CGame::device, 0);
    ASSERT_TRUE(game.NextFrameTurn());
    platform::testing::ClearTrace();
    ASSERT_TRUE(game.IdleTurn());
    // A font left holding its state would have made the Reset fail.
    EXPECT_EQ(Count("Reset"), 1u);
    EXPECT_TRUE(MessageTexts().empty());
    std::vector<std::string> fontSteps;
    for (const std::string& entry : platform::testing::Trace()) {
        if (entry.rfind("Font.", 0) == 0 || entry == "Reset") {
            fontSteps.push_back(entry);
        }
    }
    EXPECT_EQ(fontSteps, (std::vector<std::string>{
                             "Font.OnLostDevice Menu", "Font.OnLostDevice MS ゴシック", "Reset",
                             "Font.OnResetDevice Menu", "Font.OnResetDevice MS ゴシック"}));
    EXPECT_EQ(CFontRegistry::GetInstance()->Get("Menu"), menu);
    EXPECT_EQ(menu->font, menuFont);
    EXPECT_EQ(CDebugText::GetInstance()->font, debugFont);
    EXPECT_TRUE(game.NextFrameTurn());
}

TEST_F(DeviceResourcesFrameTest, ARenderTargetStillHeldByTheGameMakesTheResetFail) {
    // A game that keeps the target's level surface across the loss breaks the protocol: the
    // layer refuses the Reset, as Windows does, and the frame reports it.
    IDirect3DSurface9* level = nullptr;
    CTexture::Get("Render")->texture->GetSurfaceLevel(0, &level);
    platform::testing::LoseDevice(CGame::device, 0);
    ASSERT_TRUE(game.NextFrameTurn());
    game.IdleTurn();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"デバイスの復元に失敗しました"});
    level->Release();
}

}  // namespace
