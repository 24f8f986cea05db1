// The concrete game: where its assets live and which it loads, its fonts and game objects, the
// scene list it starts with, and the order in which every frame updates and draws them.
#include "frame/CSampleGame.h"

#include "frame/CSceneManager.h"
#include "game/CBackground.h"
#include "game/CFade.h"
#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayState.h"
#include "game/CPlayer.h"
#include "game/CRhythm.h"
#include "game/CStairs.h"
#include "game/SpriteFonts.h"
#include "graphics/CDepthStencil.h"
#include "graphics/CEffect.h"
#include "graphics/CFont.h"
#include "graphics/CFontRegistry.h"
#include "graphics/CModel.h"
#include "graphics/CShader.h"
#include "graphics/CSpriteFont.h"
#include "graphics/CTexture.h"
#include "input/KeyBindings.h"
#include "sound/CSound.h"

namespace {

// Every glyph sheet holds the printable ASCII characters from '!' to '~' in code order.
std::string GlyphCharset() {
    std::string charset;
    for (char c = '!'; c <= '~'; ++c) {
        charset += c;
    }
    return charset;
}

constexpr float kGlyphCell = 0.0625f;  // a 16 x 16 grid of cells on each sheet
constexpr DWORD kClearAll = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;

void DeleteFont(CSpriteFont*& font) {
    if (font) {
        delete font;
        font = nullptr;
    }
}

void DeclareAssetFolders() {
    CModel::SetDirectory("Resource/Model/");
    CModel::SetExtension(".x");
    CTexture::SetDirectory("Resource/Texture/");
    CTexture::SetExtension(".png");
    CSound::SetDirectory("Resource/Sound/");
    CSound::SetExtension(".wav");
    CEffect::SetDirectory("Resource/Effect/");
    CEffect::SetExtension(".fx");
    CShader::SetDirectory("Resource/Shader/");
    CShader::SetExtension(".hlsl");
    CFont::SetDirectory("Resource/Font/");
    CFont::SetExtension(".ttf");
}

void LoadAssets() {
    for (const char* name :
         {"SpriteFont_16_16", "SpriteFont_32_32", "SpriteFont_64_64", "Image", "Background"}) {
        CTexture::Load(name);
    }
    CTexture::Create(CGame::screenWidth, CGame::screenHeight, "Render");
    CDepthStencil::Create(CGame::screenWidth, CGame::screenHeight, "Render");
    for (const char* name :
         {"BGMGame", "BGMScene", "Rhythm01", "Rhythm02", "Rhythm03", "Rhythm04", "Scene"}) {
        CSound::Load(name);
    }
}

void MakeSpriteFonts() {
    const std::string charset = GlyphCharset();
    spriteFont16 =
        new CSpriteFont(kGlyphCell, kGlyphCell, 16.0f, 16.0f, "SpriteFont_16_16", charset);
    spriteFont32 =
        new CSpriteFont(kGlyphCell, kGlyphCell, 32.0f, 32.0f, "SpriteFont_32_32", charset);
    spriteFont64 =
        new CSpriteFont(kGlyphCell, kGlyphCell, 64.0f, 64.0f, "SpriteFont_64_64", charset);
}

// Each is built by its accessor on first use; the order fixes the order of destruction at exit.
void MakeGameObjects() {
    CSceneManager::GetInstance();
    CPlayState::GetInstance();
    CBackground::GetInstance();
    // longFade and shortFade are static objects, built before the game starts.
    GetKeyBindings();
    CFloorMap::GetInstance();
    CRhythm::GetInstance();
    CPlayer::GetInstance();
    CStairs::GetInstance();
    CFinalGoal::GetInstance();
}

void StartWithTheTitle() {
    CSceneManager* manager = CSceneManager::GetInstance();
    for (CScene* scene : manager->scenes) {
        scene->Init();
    }
    manager->activeScenes.clear();
    manager->activeScenes.push_back(manager->scenes[SCENE_TITLE]);
}

void SetFrameStates(IDirect3DDevice9* device) {
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetRenderState(D3DRS_DITHERENABLE, TRUE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
}

}  // namespace

CSampleGame::CSampleGame(HINSTANCE instance) : CGame(instance) {}

CSampleGame::~CSampleGame() {
    DeleteFont(spriteFont64);
    DeleteFont(spriteFont32);
    DeleteFont(spriteFont16);
}

// A missing asset shows its own message; the set-up goes on regardless.
void CSampleGame::Init() {
    DeclareAssetFolders();
    LoadAssets();
    MakeSpriteFonts();
    MakeGameObjects();
    StartWithTheTitle();
    CBackground::GetInstance()->ShuffleBackgroundAngles();
    longFade.SetIdle();
    shortFade.SetIdle();
    if (CSound* music = CSound::Get("BGMScene")) {
        music->PlayFromStart();
    }
}

void CSampleGame::Update(float) {
    CSceneManager::GetInstance()->Update();
    CBackground::GetInstance()->UpdateBackground();
    longFade.UpdateFade();
    shortFade.UpdateFade();
}

void CSampleGame::Render(float) {
    device->Clear(0, nullptr, kClearAll, 0xFF000000, 1.0f, 0);
    SetFrameStates(device);
    CBackground::GetInstance()->DrawBackground();
    // Scene drawing happens inside the font registry's sprite batch; without that sprite the
    // scenes are still drawn.
    ID3DXSprite* fontSprite = CFontRegistry::GetInstance()->sprite;
    if (fontSprite) {
        fontSprite->Begin(0);
    }
    CSceneManager::GetInstance()->Render();
    if (fontSprite) {
        fontSprite->End();
    }
    longFade.DrawFade();
    shortFade.DrawFade();
}
