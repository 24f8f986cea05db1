// Publishing the shared context every frame, and the frame's input snapshot.
#include <cstdlib>
#include <ctime>

#include "frame/CGame.h"
#include "frame/SharedContext.h"
#include "graphics/CDebugText.h"
#include "graphics/CDepthStencilRegistry.h"
#include "graphics/CEffectRegistry.h"
#include "graphics/CFontRegistry.h"
#include "graphics/CModelRegistry.h"
#include "graphics/CShaderRegistry.h"
#include "graphics/CTextureRegistry.h"
#include "graphics/SharedSprite.h"
#include "input/CJoystick.h"
#include "input/CKeyboard.h"
#include "input/CMouse.h"
#include "input/KeyState.h"
#include "sound/CSoundRegistry.h"

void CGame::PublishContext() {
    SharedContext.hWnd = hWnd;
    SharedContext.device = device;
    SharedContext.screenWidth = screenWidth;
    SharedContext.screenHeight = screenHeight;

    // The registries in their documented order (effect, font, model, shader, sound, depth
    // stencil, texture), so that they are destroyed at exit in the reverse one.
    CEffectRegistry::GetInstance();
    SharedContext.fontRegistry = CFontRegistry::GetInstance();
    CModelRegistry::GetInstance();
    CShaderRegistry::GetInstance();
    SharedContext.soundRegistry = CSoundRegistry::GetInstance();
    CDepthStencilRegistry::GetInstance();
    CTextureRegistry::GetInstance();
    CDebugText::GetInstance();

    static bool firstCall = true;
    ID3DXSprite** sharedSprite = GetSharedSprite();
    if (firstCall) {
        D3DXCreateSprite(device, sharedSprite);
    }
    SharedContext.sharedSprite = sharedSprite;

    SharedContext.joystick = CJoystick::GetInstance();
    SharedContext.keyboard = CKeyboard::GetInstance();
    SharedContext.mouse = CMouse::GetInstance();
    SharedContext.keyState = KeyStateBuffer();

    if (firstCall) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
    }
    firstCall = false;
}

void CGame::TakeInputSnapshot() {
    SharedContext.joystick->Update();
    SharedContext.keyboard->Update();
    SharedContext.mouse->Update();
    UpdateKeyState();
}
