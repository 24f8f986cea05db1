// A window and device for drawing without the game's frame.
#include "d3d9.h"
#include "test_seam.h"

namespace platform::testing {

bool CreateHeadlessDevice(int width, int height, HeadlessDevice* out) {
    static const char kClass[] = "HeadlessDevice";
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = kClass;
    RegisterClassExA(&wc);  // already there for a second device
    out->window = CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                  nullptr, nullptr);
    out->d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!out->window || !out->d3d) {
        return false;
    }
    D3DPRESENT_PARAMETERS& parameters = out->parameters;
    parameters = {};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.hDeviceWindow = out->window;
    parameters.BackBufferWidth = static_cast<UINT>(width);
    parameters.BackBufferHeight = static_cast<UINT>(height);
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
    return SUCCEEDED(out->d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, out->window,
                                            D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters,
                                            &out->device));
}

}  // namespace platform::testing
