// The main window: its class and creation, and the frame's handling of window messages.
#include "frame/CGame.h"

namespace {

constexpr int kIconResource = 101;
constexpr WPARAM kKeyW = 0x57;

}  // namespace

HRESULT CGame::InitWindow() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcA;  // the game's procedure is installed after the devices
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCE(kIconResource));
    wc.hIconSm = static_cast<HICON>(
        LoadImageA(hInstance, MAKEINTRESOURCE(kIconResource), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc)) {
        ShowFrameMessage("ウィンドウクラスの登録に失敗しました");
        return E_FAIL;
    }

    windowRect = RECT{0, 0, windowWidth, windowHeight};
    AdjustWindowRect(&windowRect, WS_OVERLAPPEDWINDOW, FALSE);
    windowRect.right -= windowRect.left;
    windowRect.bottom -= windowRect.top;
    windowRect.left = windowRect.top = 0;

    DWORD style = WS_OVERLAPPEDWINDOW;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = windowRect.right;
    int height = windowRect.bottom;
    if (!windowed) {
        style = WS_POPUP;
        x = y = 0;
        width = fullscreenWidth;
        height = fullscreenHeight;
        hMenu = nullptr;
    }
    hWnd = CreateWindowExA(0, className, caption, style, x, y, width, height, nullptr, nullptr,
                           hInstance, nullptr);
    if (!hWnd) {
        ShowFrameMessage("ウィンドウハンドルが存在しません");
        return E_FAIL;
    }
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
    return S_OK;
}

LRESULT CGame::MsgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            if (presentParams.Windowed && device && !deviceLost &&
                (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)) {
                ResetDevice();
            }
            break;
        case WM_SETCURSOR:
            if (!presentParams.Windowed) {
                SetCursor(nullptr);
                return TRUE;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                PostMessageA(hWnd, WM_CLOSE, 0, 0);
            } else if (wParam == kKeyW) {
                ToggleFullscreen();
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
