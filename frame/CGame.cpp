// CGame's construction and destruction, the process-wide frame state and the window procedure.
#include "frame/CGame.h"

#include <cstdio>

#include "input/KeyState.h"

CGame* g_game = nullptr;

HINSTANCE CGame::hInstance = nullptr;
bool CGame::windowed = true;
int CGame::framesPerSecond = 60;
int CGame::screenWidth = 640;
int CGame::screenHeight = 480;
int CGame::windowWidth = 640;
int CGame::windowHeight = 480;
int CGame::fullscreenWidth = 640;
int CGame::fullscreenHeight = 480;
D3DFORMAT CGame::fullscreenFormat = D3DFMT_X8R8G8B8;
char CGame::caption[64] = {};
char CGame::className[64] = {};
HWND CGame::hWnd = nullptr;
HMENU CGame::hMenu = nullptr;
RECT CGame::windowRect = {};
D3DPRESENT_PARAMETERS CGame::presentParamsWindowed = {};
D3DPRESENT_PARAMETERS CGame::presentParamsFullscreen = {};
D3DPRESENT_PARAMETERS CGame::presentParams = {};
IDirect3D9* CGame::d3d = nullptr;
IDirect3DDevice9* CGame::device = nullptr;
ID3DXSprite* CGame::sprite = nullptr;
IDirectSound8* CGame::directSound = nullptr;
bool CGame::deviceLost = false;
float CGame::deltaTime = 0.0f;

namespace {

const char kGameName[] = "ポクタン";

template <typename T>
void ReleaseAndClear(T*& object) {
    if (object) {
        object->Release();
        object = nullptr;
    }
}

}  // namespace

void ShowFrameMessage(const char* text) {
    MessageBoxA(nullptr, text, "", MB_OK);
}

CGame::CGame(HINSTANCE instance) {
    hInstance = instance;
    g_game = this;
    windowed = true;
    framesPerSecond = 60;
    screenWidth = 640;
    screenHeight = 480;
    windowWidth = 640;
    windowHeight = 480;
    fullscreenWidth = 640;
    fullscreenHeight = 480;
    fullscreenFormat = D3DFMT_X8R8G8B8;
    std::snprintf(caption, sizeof caption, "%s", kGameName);
    std::snprintf(className, sizeof className, "%s", kGameName);
    deviceLost = false;
    deltaTime = 0.0f;
}

CGame::~CGame() {
    // The reverse of their creation.
    ReleaseAndClear(directSound);
    ReleaseAndClear(sprite);
    ReleaseAndClear(device);
    ReleaseAndClear(d3d);
    if (g_game == this) {
        g_game = nullptr;
    }
}

LRESULT CALLBACK CGame::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Every key and button press is noted, so a tap between two frames still counts.
    NoteKeyMessage(message, wParam, lParam);
    if (g_game) {
        return g_game->MsgProc(hWnd, message, wParam, lParam);
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
