// Textures and depth stencils in their registries: file textures with the sizes D3DX gives
// them, failed loads and creations with their messages, render targets and depth stencils, and
// the release and restore fan-outs around a device reset.
#include "graphics/CDepthStencil.h"
#include "graphics/DeviceResources.h"
#include "graphics/GraphicsTest.h"
#include "graphics/SharedSprite.h"
#include "platform/d3dx9/pngsuite_reference.h"

namespace {

const char kTextureMessage[] = "テクスチャの読み込み失敗しました";
const char kDepthStencilMessage[] = "深度ステンシルの作成に失敗しました";

class TextureRegistryTest : public GraphicsTest {
  protected:
    HRESULT ResetDevice() {
        D3DPRESENT_PARAMETERS again = parameters;
        return device->Reset(&again);
    }
    int DefaultPool() { return platform::testing::DefaultPoolObjects(device); }
};

TEST_F(TextureRegistryTest, FileTextureKeepsTheFilesSizeBesideTheRoundedTexture) {
    WriteTextureFile("Screen", Picture(640, 480, [](int, int) { return 0xFF102030u; }));
    CTexture* texture = CTexture::Load("Screen");
    ASSERT_NE(texture, nullptr);
    ASSERT_NE(texture->texture, nullptr);
    EXPECT_EQ(texture->name, "Screen");
    EXPECT_EQ(texture->width, 1024);
    EXPECT_EQ(texture->height, 512);
    EXPECT_EQ(texture->imageWidth, 640);
    EXPECT_EQ(texture->imageHeight, 480);
    EXPECT_EQ(texture->rect.right, 1024);
    EXPECT_EQ(texture->rect.bottom, 512);
    EXPECT_EQ(CTexture::Load("Screen"), texture);
    CTextureRegistry* registry = CTextureRegistry::GetInstance();
    EXPECT_EQ(registry->widths["Screen"], 0);
    EXPECT_TRUE(registry->fromFile["Screen"]);
    EXPECT_FALSE(registry->renderTargets["Screen"]);
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
}

TEST_F(TextureRegistryTest, MissingFileIsReportedOnceAndLeavesAnEmptyTexture) {
    CTexture* texture = CTexture::Load("Missing");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->texture, nullptr);
    EXPECT_EQ(texture->width, 0);
    EXPECT_EQ(texture->imageHeight, 0);
    ASSERT_EQ(platform::testing::MessageBoxes().size(), 1u);
    EXPECT_EQ(platform::testing::MessageBoxes()[0].text, kTextureMessage);
    EXPECT_EQ(platform::testing::MessageBoxes()[0].caption, "Missing");
    EXPECT_EQ(CTexture::Load("Missing"), texture);
    EXPECT_EQ(platform::testing::MessageBoxes().size(), 1u) << "no second load, no second message";
    EXPECT_EQ(CTexture::Get("Missing"), texture);
}

TEST_F(TextureRegistryTest, EveryCorruptSuiteFileGivesTheTextureMessageAndNothingElse) {
    using namespace pokutan_test::pngsuite;
    CTexture::SetDirectory((kSuite / "png").string() + "/");
    const std::vector<std::string> names = SuiteNames(true);
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        CTexture* texture = CTexture::Load(name);
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->texture, nullptr) << name;
    }
    const auto& boxes = platform::testing::MessageBoxes();
    ASSERT_EQ(boxes.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(boxes[i].text, kTextureMessage);
        EXPECT_EQ(boxes[i].caption, names[i]);
        EXPECT_EQ(boxes[i].type, static_cast<unsigned>(MB_OK));
    }
}

TEST_F(TextureRegistryTest, CreateKeepsTheFirstSizeForTheName) {
    CTexture* target = CTexture::Create(640, 480, "Render");
    ASSERT_NE(target->texture, nullptr);
    EXPECT_EQ(target->width, 640);
    EXPECT_EQ(target->imageHeight, 480);
    EXPECT_EQ(target->rect.right, 640);
    EXPECT_EQ(CTexture::Create(32, 32, "Render"), target);
    EXPECT_EQ(CTextureRegistry::GetInstance()->widths["Render"], 640);
    EXPECT_TRUE(CTextureRegistry::GetInstance()->renderTargets["Render"]);
    D3DSURFACE_DESC desc;
    target->texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Usage, static_cast<DWORD>(D3DUSAGE_RENDERTARGET));
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(CTexture::Get("Absent"), nullptr);
    EXPECT_FALSE(CTextureRegistry::GetInstance()->textures.Contains("Absent"));
}

TEST_F(TextureRegistryTest, DepthStencilFailureIsReportedWithAnEmptyCaption) {
    CDepthStencil* bad = CDepthStencil::Create(0, 0, "Bad");
    ASSERT_NE(bad, nullptr);
    EXPECT_EQ(bad->surface, nullptr);
    ASSERT_EQ(platform::testing::MessageBoxes().size(), 1u);
    EXPECT_EQ(platform::testing::MessageBoxes()[0].text, kDepthStencilMessage);
    EXPECT_EQ(platform::testing::MessageBoxes()[0].caption, "");
    EXPECT_EQ(CDepthStencil::Get("Bad"), bad);
}

TEST_F(TextureRegistryTest, FanOutsReleaseAndRebuildWhatLivesInTheDefaultPool) {
    WriteTextureFile("Image", Picture(32, 32, [](int, int) { return 0xFFFFFFFFu; }));
    CTexture* file = CTexture::Load("Image");
    CTexture::Create(640, 480, "Render");
    CDepthStencil* depth = CDepthStencil::Create(640, 480, "Render");
    EXPECT_EQ(CDepthStencil::Create(16, 16, "Render"), depth);
    ASSERT_NE(depth->surface, nullptr);
    D3DXCreateSprite(device, GetSharedSprite());
    EXPECT_EQ(DefaultPool(), 3);
    EXPECT_EQ(ResetDevice(), D3DERR_INVALIDCALL);

    ReleaseDeviceResources();
    EXPECT_EQ(CTexture::Get("Render"), nullptr);
    EXPECT_EQ(CDepthStencil::Get("Render"), nullptr);
    EXPECT_EQ(CTexture::Get("Image"), file);
    EXPECT_NE(file->texture, nullptr);
    EXPECT_EQ(DefaultPool(), 0);
    ReleaseDeviceResources();  // a second release finds nothing left to delete
    ASSERT_EQ(ResetDevice(), D3D_OK);

    RestoreDeviceResources();
    CTexture* target = CTexture::Get("Render");
    CDepthStencil* newDepth = CDepthStencil::Get("Render");
    ASSERT_NE(target, nullptr);
    ASSERT_NE(newDepth, nullptr);
    EXPECT_EQ(target->width, 640);
    EXPECT_EQ(target->height, 480);
    EXPECT_EQ(newDepth->width, 640);
    EXPECT_EQ(newDepth->height, 480);
    D3DSURFACE_DESC desc;
    ASSERT_NE(newDepth->surface, nullptr);
    newDepth->surface->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 640u);
    EXPECT_EQ(desc.Format, D3DFMT_D24S8);
    EXPECT_EQ(CTexture::Get("Image"), file);
    // Target, depth stencil, shared sprite, and the font registry's sprite and the debug
    // text's font, which the first fan-out made as start-up would have.
    EXPECT_EQ(DefaultPool(), 5);
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
}

TEST_F(TextureRegistryTest, EmptyRegistriesPassThroughBothFanOuts) {
    ReleaseDeviceResources();
    EXPECT_TRUE(CTextureRegistry::GetInstance()->textures.entries.empty());
    EXPECT_TRUE(CDepthStencilRegistry::GetInstance()->depthStencils.entries.empty());
    ASSERT_NE(*GetSharedSprite(), nullptr) << "the shared sprite is made by the first fan-out";
    EXPECT_EQ(DefaultPool(), 0);
    ASSERT_EQ(ResetDevice(), D3D_OK);
    RestoreDeviceResources();
    EXPECT_EQ(DefaultPool(), 3) << "shared sprite, font registry sprite, debug text font";
}

}  // namespace
