// The process-wide record through which every module reaches the window, the device, the
// logical screen size, the font and sound registries, the shared sprite, the input holders and
// the key state. CGame::PublishContext refreshes it; everything else only reads it.
#pragma once

#include "windows.h"

struct IDirect3DDevice9;
struct ID3DXSprite;
class CFontRegistry;
class CSoundRegistry;
class CJoystick;
class CKeyboard;
class CMouse;
struct KeyState;

struct SharedContextRecord {
    HWND hWnd = nullptr;
    IDirect3DDevice9* device = nullptr;
    int screenWidth = 0;
    int screenHeight = 0;
    CFontRegistry* fontRegistry = nullptr;
    CSoundRegistry* soundRegistry = nullptr;
    ID3DXSprite** sharedSprite = nullptr;
    CJoystick* joystick = nullptr;
    CKeyboard* keyboard = nullptr;
    CMouse* mouse = nullptr;
    KeyState* keyState = nullptr;
};

extern SharedContextRecord SharedContext;
