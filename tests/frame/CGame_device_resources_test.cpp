// A lost device during a play: the frame's release and restore run the registries' fan-outs,
// so the off-screen target and depth stencil that the game's set-up made are really released,
// the Reset succeeds and both are built again at their first size.
#include "frame/FrameTest.h"
#include "graphics/CDepthStencil.h"
#include "graphics/CTexture.h"

namespace {

class DeviceResourcesFrameTest : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        ASSERT_TRUE(game.StartUp());
        ASSERT_TRUE(game.NextFrameTurn());
    }

    TestGame game;
};

TEST_F(DeviceResourcesFrameTest, LostDeviceReleasesAndRebuildsTheRenderTargetAndDepthStencil) {
    ASSERT_NE(CTexture::Get("Render"), nullptr);
    ASSERT_NE(CTexture::Get("Render")->texture, nullptr);
    ASSERT_NE(CDepthStencil::Get("Render")->surface, nullptr);
    // The frame's sprite, the shared sprite, the target and the depth stencil.
    EXPECT_EQ(platform::testing::DefaultPoolObjects(CGame::device), 4);

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
    EXPECT_EQ(platform::testing::DefaultPoolObjects(CGame::device), 4);
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
