// The concrete game's set-up, the states its frame leaves, and the fonts it owns.
#include <filesystem>

#include "frame/CSceneManager.h"
#include "frame/FrameTest.h"
#include "game/CFade.h"
#include "game/CSceneTitle.h"
#include "game/SpriteFonts.h"
#include "graphics/CDepthStencil.h"
#include "graphics/CEffect.h"
#include "graphics/CFont.h"
#include "graphics/CModel.h"
#include "graphics/CShader.h"
#include "graphics/CSpriteFont.h"
#include "graphics/CTexture.h"
#include "sound/CSound.h"

namespace {

class SampleGameTest : public FrameTest {};

const char* const kTextures[] = {"SpriteFont_16_16", "SpriteFont_32_32", "SpriteFont_64_64",
                                 "Image", "Background"};
const char* const kSounds[] = {"BGMGame",  "BGMScene", "Rhythm01", "Rhythm02",
                               "Rhythm03", "Rhythm04", "Scene"};

TEST_F(SampleGameTest, InitLoadsTheAssetsMakesTheFontsAndStartsOnTheTitle) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(CTexture::Directory(), "Resource/Texture/");
    EXPECT_EQ(CTexture::Extension(), ".png");
    EXPECT_EQ(CSound::Directory(), "Resource/Sound/");
    EXPECT_EQ(CSound::Extension(), ".wav");
    EXPECT_EQ(CModel::Directory() + "x" + CModel::Extension(), "Resource/Model/x.x");
    EXPECT_EQ(CEffect::Directory() + "x" + CEffect::Extension(), "Resource/Effect/x.fx");
    EXPECT_EQ(CShader::Directory() + "x" + CShader::Extension(), "Resource/Shader/x.hlsl");
    EXPECT_EQ(CFont::Directory() + "x" + CFont::Extension(), "Resource/Font/x.ttf");
    for (const char* name : kTextures) {
        ASSERT_NE(CTexture::Get(name), nullptr) << name;
        EXPECT_NE(CTexture::Get(name)->texture, nullptr) << name;
    }
    EXPECT_EQ(CTexture::Get("Image")->imageWidth, 256);
    EXPECT_EQ(CTexture::Get("Render")->width, 640);
    EXPECT_EQ(CTexture::Get("Render")->height, 480);
    ASSERT_NE(CDepthStencil::Get("Render"), nullptr);
    EXPECT_EQ(CDepthStencil::Get("Render")->width, 640);
    for (const char* name : kSounds) {
        ASSERT_NE(CSound::Get(name), nullptr) << name;
        EXPECT_NE(CSound::Get(name)->buffer, nullptr) << name;
    }

    const CSpriteFont* fonts[] = {spriteFont16, spriteFont32, spriteFont64};
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(fonts[i], nullptr);
        EXPECT_EQ(fonts[i]->glyphWidth, 16.0f * (1 << i));
        EXPECT_EQ(fonts[i]->glyphHeight, 16.0f * (1 << i));
        EXPECT_EQ(fonts[i]->cellWidth, 0.0625f);
        EXPECT_EQ(fonts[i]->texture, CTexture::Get(kTextures[i]));
        // '!' first, '~' last (index 93: column 13 of row 5), no space.
        EXPECT_EQ(fonts[i]->cellU[static_cast<int>('!')], 0.0f);
        EXPECT_EQ(fonts[i]->cellU[static_cast<int>('~')], 13 * 0.0625f);
        EXPECT_EQ(fonts[i]->cellV[static_cast<int>('~')], 5 * 0.0625f);
        EXPECT_LT(fonts[i]->cellU[static_cast<int>(' ')], 0.0f);
    }

    const auto& active = CSceneManager::GetInstance()->activeScenes;
    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active.front(), CSceneTitle::GetInstance());
    for (CFade* fade : {&longFade, &shortFade}) {
        EXPECT_EQ(fade->state, FADE_IDLE);
        EXPECT_EQ(fade->color.a, 0.0f);
        EXPECT_EQ(fade->fadeTimer.time, fade->fadeTimer.period);
    }
}

TEST_F(SampleGameTest, EveryMissingAssetShowsItsMessageAndTheGameStillRuns) {
    std::filesystem::remove_all("Resource/Texture");
    std::filesystem::remove_all("Resource/Sound");
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    const auto& boxes = platform::testing::MessageBoxes();
    ASSERT_EQ(boxes.size(), 12u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(boxes[i].text, "テクスチャの読み込み失敗しました");
        EXPECT_EQ(boxes[i].caption, kTextures[i]);
    }
    for (int i = 5; i < 12; ++i) {
        EXPECT_EQ(boxes[i].text, "最初のチャンク（最上部チャンク)に進入できません");
    }
    // The set-up went on to its end: fonts, the title, the off-screen target.
    EXPECT_NE(spriteFont64, nullptr);
    EXPECT_EQ(CSceneManager::GetInstance()->activeScenes.front(), CSceneTitle::GetInstance());
    EXPECT_NE(CTexture::Get("Render")->texture, nullptr);
    platform::testing::InjectMouseButton(CGame::hWnd, VK_LBUTTON, true);
    for (int frame = 0; frame < 70; ++frame) {
        ASSERT_TRUE(game.NextFrameTurn());
    }
    EXPECT_EQ(CSceneManager::GetInstance()->activeScenes.front()->id, SCENE_PLAY);
    EXPECT_EQ(boxes.size(), 12u);
}

TEST_F(SampleGameTest, AFrameLeavesTheBlendStatesOfTheGameAndTheFiltersOff) {
    TestGame game;
    ASSERT_TRUE(game.StartUp());
    ASSERT_TRUE(game.NextFrameTurn());
    auto renderState = [](D3DRENDERSTATETYPE state) {
        DWORD value = 0;
        CGame::device->GetRenderState(state, &value);
        return value;
    };
    auto samplerState = [](D3DSAMPLERSTATETYPE state) {
        DWORD value = 0;
        CGame::device->GetSamplerState(0, state, &value);
        return value;
    };
    EXPECT_EQ(renderState(D3DRS_ALPHABLENDENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(renderState(D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_SRCALPHA));
    EXPECT_EQ(renderState(D3DRS_DESTBLEND), static_cast<DWORD>(D3DBLEND_INVSRCALPHA));
    EXPECT_EQ(renderState(D3DRS_LIGHTING), static_cast<DWORD>(FALSE));
    EXPECT_EQ(renderState(D3DRS_ZENABLE), static_cast<DWORD>(D3DZB_TRUE));
    EXPECT_EQ(renderState(D3DRS_DITHERENABLE), static_cast<DWORD>(TRUE));
    EXPECT_EQ(samplerState(D3DSAMP_MINFILTER), static_cast<DWORD>(D3DTEXF_NONE));
    EXPECT_EQ(samplerState(D3DSAMP_MAGFILTER), static_cast<DWORD>(D3DTEXF_NONE));
}

TEST_F(SampleGameTest, TheGameObjectDeletesItsFonts) {
    {
        TestGame game;
        ASSERT_TRUE(game.StartUp());
        ASSERT_NE(spriteFont16, nullptr);
    }
    EXPECT_EQ(spriteFont16, nullptr);
    EXPECT_EQ(spriteFont32, nullptr);
    EXPECT_EQ(spriteFont64, nullptr);
}

}  // namespace
