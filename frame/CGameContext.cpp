// Publishing the shared context every frame, and the frame's input snapshot.
#include <cstdlib>
#include <ctime>

#include "frame/CGame.h"
#include "frame/SharedContext.h"
#include "graphics/CDepthStencilRegistry.h"
#include "graphics/CTextureRegistry.h"
#include "graphics/SharedSprite.h"
#include "input/CKeyboard.h"
#include "input/KeyState.h"
#include "sound/CSoundRegistry.h"

void CGame::PublishContext() {
    SharedContext.hWnd = hWnd;
    SharedContext.device = device;
    SharedContext.screenWidth = screenWidth;
    SharedContext.screenHeight = screenHeight;

    // The registries in their documented order (effect, font, model, shader, sound, depth
    // stencil, texture), so that they are destroyed at exit in the reverse one.
    SharedContext.soundRegistry = CSoundRegistry::GetInstance();
    CDepthStencilRegistry::GetInstance();
    CTextureRegistry::GetInstance();

    static bool firstCall = true;
    ID3DXSprite** sharedSprite = GetSharedSprite();
    if (firstCall) {
        D3DXCreateSprite(device, sharedSprite);
    }
    SharedContext.sharedSprite = sharedSprite;

    SharedContext.keyboard = CKeyboard::GetInstance();
    SharedContext.keyState = KeyStateBuffer();

    if (firstCall) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
    }
    firstCall = false;
}

void CGame::TakeInputSnapshot() {
    CKeyboard::GetInstance()->Update();
    UpdateKeyState();
}
