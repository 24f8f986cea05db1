// The running play: misses, the record, the play's flags, the shake, and the off-screen
// picture the play scene draws into. The record is read from the miss record file when the
// play state is built, and written when a play beats it.
#pragma once

#include "d3dx9math.h"
#include "game/Timer.h"

struct IDirect3DSurface9;
class CTexture;
class CDepthStencil;

class CPlayState {
  public:
    // The one play state, built (and the record read) on the first call.
    static CPlayState* GetInstance();

    CPlayState();

    // Sets `record` from the miss record file.
    void LoadMissRecord();
    // Writes `record` to the miss record file.
    void SaveMissRecord();

    IDirect3DSurface9* savedRenderTarget = nullptr;
    IDirect3DSurface9* savedDepthStencil = nullptr;
    CTexture* renderTexture = nullptr;
    CDepthStencil* renderDepthStencil = nullptr;
    D3DXVECTOR2 shakeOffset{0.0f, 0.0f};
    Timer shakeTimer{0.0f, 0.25f, false, false};
    bool finished = false;
    bool floorChangePending = false;
    bool goalReached = false;
    int misses = 0;
    int record = 0;
    bool newRecord = false;
};
