// The life of the game: start-up, the message loop with its idle turns, frame pacing on the
// performance counter, lost-device recovery and shutdown.
#include "frame/CGame.h"

int CGame::Run() {
    if (!StartUp()) {
        return 0;
    }
    MSG msg = {};
    do {
        RunLoopPass(&msg);
    } while (msg.message != WM_QUIT);
    return FinishRun(msg);
}

bool CGame::StartUp() {
    // The Microsoft runtime's debug-heap reports have no equivalent here; the sanitizer builds
    // of the tests take their place.
    if (FAILED(InitWindow())) {
        ShowFrameMessage("アプリケーションの初期化に失敗しました");
        return false;
    }
    d3d = Direct3DCreate9(D3D_SDK_VERSION | 0x80000000);
    if (!d3d) {
        ShowFrameMessage("Direct3Dインターフェイスが存在しません");
        ShowFrameMessage("DirectXGraphicsの初期化に失敗しました");
    } else if (FAILED(InitDevices())) {
        ShowFrameMessage("DirectXGraphicsの初期化に失敗しました");
    }

    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    ticksPerFrame = frequency.QuadPart / framesPerSecond;
    nextFrame = now;
    StartFrameSchedule();
    previousFrameStart.QuadPart = now.QuadPart - ticksPerFrame;

    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CGame::WndProc));

    // Without a device no asset can be made, and the first idle turn ends the program anyway.
    if (d3d && device) {
        PublishContext();
        Init();
    }
    return true;
}

bool CGame::RunLoopPass(MSG* msg) {
    if (PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(msg);
        DispatchMessageA(msg);
        return false;
    }
    if (!ProcessIdle()) {
        DestroyWindow(hWnd);
    }
    return true;
}

int CGame::FinishRun(const MSG& msg) {
    Shutdown();
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    if (hMenu) {
        DestroyMenu(hMenu);
        hMenu = nullptr;
    }
    UnregisterClassA(className, hInstance);
    return static_cast<int>(msg.wParam);
}

bool CGame::ProcessIdle() {
    if (!d3d || !device) {
        return false;
    }
    if (deviceLost) {
        Sleep(100);
        HRESULT hr = device->TestCooperativeLevel();
        if (FAILED(hr)) {
            if (hr == D3DERR_DEVICELOST) {
                return true;
            }
            if (hr != D3DERR_DEVICENOTRESET) {
                return false;
            }
            OnLostDevice();
            ReleaseDeviceObjects();
            hr = device->Reset(&presentParams);
            if (hr == D3DERR_DEVICELOST) {
                return true;
            }
            if (FAILED(hr)) {
                ShowFrameMessage("デバイスの復元に失敗しました");
                return false;
            }
            RestoreDeviceObjects();
            OnResetDevice();
        }
        deviceLost = false;
    }
    HRESULT hr = RunFrame();
    if (hr == D3DERR_DEVICELOST) {
        deviceLost = true;
        return true;
    }
    return SUCCEEDED(hr);
}

HRESULT CGame::RunFrame() {
    QueryPerformanceCounter(&now);
    if (nextFrame.QuadPart >= now.QuadPart) {
        return S_OK;
    }
    deltaTime = static_cast<float>(static_cast<double>(now.QuadPart - previousFrameStart.QuadPart) /
                                   static_cast<double>(frequency.QuadPart));
    previousFrameStart = now;
    PublishContext();
    TakeInputSnapshot();
    Update(deltaTime);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFFFFFFFF,
                  1.0f, 0);
    if (SUCCEEDED(device->BeginScene())) {
        Render(deltaTime);
        device->EndScene();
    }
    ScheduleNextFrame();
    return device->Present(nullptr, nullptr, nullptr, nullptr);
}

// Frames fall due on a fixed grid of 1/60 s, counted from the schedule's start, so a frame
// that starts late is made up by the ones after it and the beat stays on the music, which plays
// in real time. Due times are worked out from the frame count rather than summed, so the
// period's rounding to whole ticks never adds up.
void CGame::ScheduleNextFrame() {
    if (now.QuadPart - nextFrame.QuadPart > kMaxFramesMadeUp * ticksPerFrame) {
        StartFrameSchedule();
    }
    ++framesScheduled;
    nextFrame.QuadPart =
        scheduleStart.QuadPart + framesScheduled * frequency.QuadPart / framesPerSecond;
}

// Starts the grid at the frame running now (or, at start-up, at the counter before Init).
void CGame::StartFrameSchedule() {
    scheduleStart = now;
    framesScheduled = 0;
}
