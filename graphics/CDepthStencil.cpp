// Creating and releasing a depth-stencil surface on the shared device.
#include "graphics/CDepthStencil.h"

#include "frame/SharedContext.h"

CDepthStencil::CDepthStencil(int width, int height) : width(width), height(height) {
    IDirect3DDevice9* device = SharedContext.device;
    HRESULT result = device ? device->CreateDepthStencilSurface(
                                  static_cast<UINT>(width), static_cast<UINT>(height), D3DFMT_D24S8,
                                  D3DMULTISAMPLE_NONE, 0, TRUE, &surface, nullptr)
                            : D3DERR_INVALIDCALL;
    if (FAILED(result)) {
        surface = nullptr;
        MessageBoxA(nullptr, "深度ステンシルの作成に失敗しました", "", MB_OK);
    }
}

CDepthStencil::~CDepthStencil() {
    if (surface) {
        surface->Release();
        surface = nullptr;
    }
}
