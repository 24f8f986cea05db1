// Drawing the play field off screen and copying it to the screen with the shake.
#include "game/PlayDrawing.h"

#include <algorithm>

#include "frame/SharedContext.h"
#include "game/CBackground.h"
#include "game/CFinalGoal.h"
#include "game/CFloorMap.h"
#include "game/CPlayState.h"
#include "game/CPlayer.h"
#include "game/CRhythm.h"
#include "game/CStairs.h"
#include "game/SpriteFonts.h"
#include "graphics/CDepthStencil.h"
#include "graphics/CSpriteFont.h"
#include "graphics/CTexture.h"
#include "graphics/SpriteDrawing.h"

namespace {

constexpr float kCell = 32.0f;
constexpr float kShadowOffset = 4.0f;
constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr DWORD kClearAll = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;

IDirect3DTexture9* AtlasTexture() {
    CTexture* atlas = CTexture::Get("Image");
    return atlas ? atlas->texture : nullptr;
}

// The 32-pixel atlas cell whose top-left texel is (u, v).
RECT AtlasCell(int u, int v) {
    return RECT{u, v, u + static_cast<LONG>(kCell), v + static_cast<LONG>(kCell)};
}

// Screen centre of grid cell (x, y); the grid is centred on the screen. Computed in float, so a
// parked object lands far off screen rather than overflowing.
D3DXVECTOR2 CellCentre(int x, int y) {
    return D3DXVECTOR2((static_cast<float>(x) - 4.0f) * kCell + SharedContext.screenWidth * 0.5f,
                       (static_cast<float>(y) - 4.0f) * kCell + SharedContext.screenHeight * 0.5f);
}

// One atlas cell centred on the position, unscaled and unrotated.
void DrawAtlasCell(const RECT& source, const D3DXVECTOR2& position, D3DCOLOR colour, float z) {
    const D3DXVECTOR2 scale(1.0f, 1.0f);
    const D3DXVECTOR2 centre(kCell * 0.5f, kCell * 0.5f);
    DrawSpriteTransformed(SharedContext.sharedSprite, AtlasTexture(), &source, colour, 0.0f, z,
                          &centre, &scale, &position, 0);
}

// The frame in `frames` for a timer's progress split into `count` equal parts; the last stays.
int AnimationFrame(const Timer& timer, const int* frames, int count) {
    const int k = static_cast<int>(static_cast<float>(count) * (timer.time / timer.period));
    return frames[std::clamp(k, 0, count - 1)];
}

bool SharedSpriteReady() {
    return SharedContext.sharedSprite && *SharedContext.sharedSprite;
}

}  // namespace

void RenderPlay() {
    BeginOffscreen();
    CBackground::GetInstance()->DrawBackground();
    if (SharedSpriteReady()) {
        ID3DXSprite* sprite = *SharedContext.sharedSprite;
        sprite->Begin(D3DXSPRITE_ALPHABLEND);
        DrawRhythm();
        DrawFloor();
        DrawPlayer();
        DrawStairs();
        DrawFinalGoal();
        DrawHud();
        sprite->End();
    }
    EndOffscreen();
    if (SharedSpriteReady()) {
        CPlayState* play = CPlayState::GetInstance();
        ID3DXSprite* sprite = *SharedContext.sharedSprite;
        const RECT whole = {0, 0, SharedContext.screenWidth, SharedContext.screenHeight};
        sprite->Begin(D3DXSPRITE_ALPHABLEND);
        DrawSprite(SharedContext.sharedSprite,
                   play->renderTexture ? play->renderTexture->texture : nullptr, &whole, kWhite,
                   &play->shakeOffset);
        sprite->End();
    }
}

void BeginOffscreen() {
    CPlayState* play = CPlayState::GetInstance();
    IDirect3DDevice9* device = SharedContext.device;
    play->savedRenderTarget = nullptr;
    play->savedDepthStencil = nullptr;
    // Looked up every frame: a device reset replaces both.
    play->renderTexture = CTexture::Get("Render");
    play->renderDepthStencil = CDepthStencil::Get("Render");
    device->GetRenderTarget(0, &play->savedRenderTarget);
    device->GetDepthStencilSurface(&play->savedDepthStencil);
    IDirect3DSurface9* level = nullptr;
    if (play->renderTexture && play->renderTexture->texture) {
        play->renderTexture->texture->GetSurfaceLevel(0, &level);
    }
    if (level) {
        device->SetRenderTarget(0, level);
    }
    device->SetDepthStencilSurface(play->renderDepthStencil ? play->renderDepthStencil->surface
                                                            : nullptr);
    if (level) {
        level->Release();
    }
    device->Clear(0, nullptr, kClearAll, kBlack, 1.0f, 0);
}

void EndOffscreen() {
    CPlayState* play = CPlayState::GetInstance();
    IDirect3DDevice9* device = SharedContext.device;
    device->SetRenderTarget(0, play->savedRenderTarget);
    device->SetDepthStencilSurface(play->savedDepthStencil);
    if (play->savedRenderTarget) {
        play->savedRenderTarget->Release();
        play->savedRenderTarget = nullptr;
    }
    if (play->savedDepthStencil) {
        play->savedDepthStencil->Release();
        play->savedDepthStencil = nullptr;
    }
    // The play field brings its own background; the one drawn on the screen before goes.
    device->Clear(0, nullptr, kClearAll, kBlack, 1.0f, 0);
}

void DrawRhythm() {
    const int phase = CRhythm::GetInstance()->phase;
    for (int i = 0; i < 4; ++i) {
        const float x = (static_cast<float>(i) - 1.5f) * kCell + SharedContext.screenWidth * 0.5f;
        const RECT source = AtlasCell(32 * i, 96);
        DrawAtlasCell(source, D3DXVECTOR2(x + kShadowOffset, 452.0f), kBlack, 0.0f);
        DrawAtlasCell(source, D3DXVECTOR2(x, 448.0f), i == phase ? kRed : kWhite, 0.0f);
    }
}

void DrawFloor() {
    const std::string& map = CFloorMap::GetInstance()->workingMap;
    const int cells = std::min(static_cast<int>(map.size()), GRID_CELLS);
    for (int pass = 0; pass < 2; ++pass) {
        const bool shadows = pass == 0;
        for (int index = 0; index < cells; ++index) {
            const int code = map[index] - CELL_FLOOR;
            if (code < 0 || code > 4) {
                continue;  // not a cell code: nothing in the atlas for it
            }
            D3DXVECTOR2 centre = CellCentre(index % GRID_SIZE, index / GRID_SIZE);
            if (shadows) {
                centre += D3DXVECTOR2(kShadowOffset, kShadowOffset);
            }
            DrawAtlasCell(AtlasCell(32 * code, 0), centre, shadows ? kBlack : kWhite,
                          shadows ? 1.0f : 0.75f);
        }
    }
}

void DrawPlayer() {
    CPlayer* player = CPlayer::GetInstance();
    const int u = AnimationFrame(player->animTimer, player->animFrames, 2);
    DrawAtlasCell(AtlasCell(u, 32), CellCentre(player->x, player->y), kWhite, 0.0f);
}

void DrawStairs() {
    CStairs* stairs = CStairs::GetInstance();
    DrawAtlasCell(AtlasCell(64, 0), CellCentre(stairs->x, stairs->y), kWhite, 0.5f);
}

void DrawFinalGoal() {
    CFinalGoal* goal = CFinalGoal::GetInstance();
    const int u = AnimationFrame(goal->openTimer, goal->openFrames, 4);
    DrawAtlasCell(AtlasCell(u, 64), CellCentre(goal->x, goal->y), kWhite, 0.0f);
}

void DrawHud() {
    if (!spriteFont32) {
        return;
    }
    const int floorNumber = CFloorMap::GetInstance()->floorIndex + 1;
    const int misses = CPlayState::GetInstance()->misses;
    spriteFont32->Print(4.0f, 4.0f, kBlack, "B%02dF", floorNumber);
    spriteFont32->Print(0.0f, 0.0f, kWhite, "B%02dF", floorNumber);
    spriteFont32->Print(164.0f, 4.0f, kBlack, "MISS:%02d", misses);
    spriteFont32->Print(160.0f, 0.0f, kWhite, "MISS:%02d", misses);
}
