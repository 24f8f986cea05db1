// Loading a texture file and creating a render target on the shared device.
#include "graphics/CTexture.h"

#include "d3dx9.h"
#include "frame/SharedContext.h"

CTexture::CTexture(std::string name) : name(std::move(name)) {
    D3DXIMAGE_INFO info = {};
    HRESULT result = D3DXCreateTextureFromFileExA(
        SharedContext.device, PathOf(this->name).c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT,
        0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0xFFFF00FF, &info, nullptr,
        &texture);
    if (FAILED(result)) {
        texture = nullptr;
        MessageBoxA(nullptr, "テクスチャの読み込み失敗しました", this->name.c_str(), MB_OK);
        return;
    }
    D3DSURFACE_DESC desc = {};
    texture->GetLevelDesc(0, &desc);
    width = static_cast<int>(desc.Width);
    height = static_cast<int>(desc.Height);
    imageWidth = static_cast<int>(info.Width);
    imageHeight = static_cast<int>(info.Height);
    rect = RECT{0, 0, width, height};
}

CTexture::CTexture(std::string name, int width, int height)
    : name(std::move(name)),
      width(width),
      height(height),
      imageWidth(width),
      imageHeight(height),
      rect{0, 0, width, height} {
    // Not checked: a missing render target shows as a null texture to whoever draws with it.
    D3DXCreateTexture(SharedContext.device, static_cast<UINT>(width), static_cast<UINT>(height), 1,
                      D3DUSAGE_RENDERTARGET, D3DFMT_UNKNOWN, D3DPOOL_DEFAULT, &texture);
}

CTexture::~CTexture() {
    if (texture) {
        texture->Release();
        texture = nullptr;
    }
}
