// The Direct3D device with its presentation parameters, viewport, sprite and DirectSound
// object, and the release, reset and restore around size and display-mode changes.
#include "frame/CGame.h"
#include "graphics/DeviceResources.h"

namespace {

const char kResetFailed[] =
    "スワップチェーンのタイプ、サイズ、フォーマットのリセットに失敗しました";

D3DPRESENT_PARAMETERS MakeParameters(bool windowed, HWND window) {
    D3DPRESENT_PARAMETERS parameters = {};
    parameters.BackBufferWidth = windowed ? 0 : CGame::fullscreenWidth;
    parameters.BackBufferHeight = windowed ? 0 : CGame::fullscreenHeight;
    parameters.BackBufferFormat = windowed ? D3DFMT_UNKNOWN : CGame::fullscreenFormat;
    parameters.BackBufferCount = 1;
    parameters.MultiSampleType = D3DMULTISAMPLE_NONE;
    parameters.MultiSampleQuality = 0;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = window;
    parameters.Windowed = windowed ? TRUE : FALSE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    parameters.Flags = 0;
    parameters.FullScreen_RefreshRateInHz = 0;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    return parameters;
}

}  // namespace

HRESULT CGame::CreateDevice() {
    struct Attempt {
        D3DDEVTYPE type;
        DWORD vertexProcessing;
    };
    static constexpr Attempt kAttempts[] = {
        {D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING},
        {D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
        {D3DDEVTYPE_REF, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
    };
    for (const Attempt& attempt : kAttempts) {
        if (SUCCEEDED(d3d->CreateDevice(D3DADAPTER_DEFAULT, attempt.type, hWnd,
                                        attempt.vertexProcessing, &presentParams, &device))) {
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT CGame::InitDevices() {
    presentParamsWindowed = MakeParameters(true, hWnd);
    presentParamsFullscreen = MakeParameters(false, hWnd);
    presentParams = windowed ? presentParamsWindowed : presentParamsFullscreen;

    if (FAILED(CreateDevice())) {
        ShowFrameMessage("ディスプレイ・アダプタを表すためのデバイスの作成に失敗しました");
        return E_FAIL;
    }
    D3DVIEWPORT9 viewport = {
        0, 0, presentParams.BackBufferWidth, presentParams.BackBufferHeight, 0.0f, 1.0f};
    if (FAILED(device->SetViewport(&viewport))) {
        ShowFrameMessage("ビューポートの設定に失敗しました");
        return E_FAIL;
    }
    if (FAILED(D3DXCreateSprite(device, &sprite))) {
        ShowFrameMessage("スプライトオブジェクトの作成に失敗しました");
        return E_FAIL;
    }
    if (FAILED(DirectSoundCreate8(nullptr, &directSound, nullptr))) {
        ShowFrameMessage(
            "IDirectSound8インターフェイスをサポートするオブジェクトの作成および初期化に失敗しまし"
            "た");
        return E_FAIL;
    }
    if (FAILED(directSound->SetCooperativeLevel(hWnd, DSSCL_EXCLUSIVE))) {
        ShowFrameMessage(
            "サウンドデバイスに対するアプリケーションの協調レベルの設定に失敗しました");
        return E_FAIL;
    }
    return S_OK;
}

// A lost device is recovered by the idle turn; any other failure ends the program.
void CGame::ReportResetFailure(HRESULT hr) {
    if (hr == D3DERR_DEVICELOST) {
        deviceLost = true;
    } else {
        DestroyWindow(hWnd);
    }
    ShowFrameMessage(kResetFailed);
}

HRESULT CGame::ResetDevice() {
    OnLostDevice();
    ReleaseDeviceObjects();
    HRESULT hr = device->Reset(&presentParams);
    if (FAILED(hr)) {
        ReportResetFailure(hr);
        return E_FAIL;
    }
    RestoreDeviceObjects();
    OnResetDevice();
    return S_OK;
}

void CGame::ToggleFullscreen() {
    windowed = !windowed;
    OnLostDevice();
    ReleaseDeviceObjects();
    if (windowed) {
        presentParams = presentParamsWindowed;
    } else {
        presentParams = presentParamsFullscreen;
        GetWindowRect(hWnd, &windowRect);
    }
    HRESULT hr = device->Reset(&presentParams);
    if (FAILED(hr)) {
        ReportResetFailure(hr);  // windowed stays toggled; the window style is left alone
        return;
    }
    RestoreDeviceObjects();
    OnResetDevice();
    if (windowed) {
        SetWindowLongA(hWnd, GWL_STYLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        if (hMenu) {
            SetMenu(hWnd, hMenu);
            hMenu = nullptr;
        }
        SetWindowPos(hWnd, HWND_NOTOPMOST, windowRect.left, windowRect.top,
                     windowRect.right - windowRect.left, windowRect.bottom - windowRect.top,
                     SWP_SHOWWINDOW);
    } else {
        SetWindowLongA(hWnd, GWL_STYLE, WS_POPUP | WS_VISIBLE);
        if (!hMenu) {
            hMenu = GetMenu(hWnd);
            SetMenu(hWnd, nullptr);
        }
    }
}

HRESULT CGame::ReleaseDeviceObjects() {
    if (sprite) {
        sprite->OnLostDevice();
    }
    ReleaseDeviceResources();
    return S_OK;
}

HRESULT CGame::RestoreDeviceObjects() {
    if (sprite) {
        sprite->OnResetDevice();
    }
    RestoreDeviceResources();
    return S_OK;
}
