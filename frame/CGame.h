// The game frame: the window, the Direct3D device, the main loop with its fixed frame rate,
// display-mode switching and device-loss recovery, and the hooks a concrete game overrides.
#pragma once

#include <cstdint>

#include "d3d9.h"
#include "d3dx9.h"
#include "dsound.h"
#include "windows.h"

class CGame {
  public:
    explicit CGame(HINSTANCE instance);

    // Hooks, in slot order.
    virtual void OnLostDevice() {}
    virtual void OnResetDevice() {}
    virtual ~CGame();
    virtual void Init() {}
    virtual void Update(float) {}
    virtual void Render(float) {}
    virtual void Shutdown() {}
    virtual LRESULT MsgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    int Run();
    // Run in three pieces: start-up up to Init (false when there is no window), one pass of the
    // message loop (true for an idle turn), and the shutdown after WM_QUIT.
    bool StartUp();
    bool RunLoopPass(MSG* msg);
    int FinishRun(const MSG& msg);
    bool ProcessIdle();
    HRESULT RunFrame();
    void PublishContext();

    HRESULT InitWindow();
    HRESULT InitDevices();
    HRESULT ResetDevice();
    void ToggleFullscreen();
    HRESULT ReleaseDeviceObjects();
    HRESULT RestoreDeviceObjects();

    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Process-wide frame state: one copy per process, set by the constructor and the frame.
    static HINSTANCE hInstance;
    static bool windowed;
    static int framesPerSecond;
    static int screenWidth;
    static int screenHeight;
    static int windowWidth;
    static int windowHeight;
    static int fullscreenWidth;
    static int fullscreenHeight;
    static D3DFORMAT fullscreenFormat;
    static char caption[64];
    static char className[64];
    static HWND hWnd;
    static HMENU hMenu;
    static RECT windowRect;
    static D3DPRESENT_PARAMETERS presentParamsWindowed;
    static D3DPRESENT_PARAMETERS presentParamsFullscreen;
    static D3DPRESENT_PARAMETERS presentParams;
    static IDirect3D9* d3d;
    static IDirect3DDevice9* device;
    static ID3DXSprite* sprite;
    static IDirectSound8* directSound;
    static bool deviceLost;
    static float deltaTime;

  protected:
    LARGE_INTEGER frequency = {};
    LARGE_INTEGER now = {};
    LARGE_INTEGER nextFrame = {};
    int64_t ticksPerFrame = 0;
    LARGE_INTEGER previousFrameStart = {};
    LARGE_INTEGER scheduleStart = {};
    int64_t framesScheduled = 0;

    // A frame more than this many periods behind its due time restarts the schedule from now
    // instead of racing through the missed frames: a stall that long (a device reset, a dragged
    // or minimised window, a suspended process) was seen by the player anyway, and catching up
    // would run the rhythm through beats faster than anyone can follow. Five periods (83 ms)
    // still absorbs what a busy machine does to a frame now and then, and a catch-up of at
    // most five frames moves the beat indicator by a third of a beat at most.
    static constexpr int64_t kMaxFramesMadeUp = 5;

  private:
    void ScheduleNextFrame();
    void StartFrameSchedule();
    HRESULT CreateDevice();
    void ReportResetFailure(HRESULT hr);
    void TakeInputSnapshot();
};

// The one game object, for the window procedure.
extern CGame* g_game;

// Shows a frame message: no owner, empty caption.
void ShowFrameMessage(const char* text);
