// Textures: levels as surfaces, level descriptions and locking.
#include "d3d9/texture.h"

#include "d3d9/device.h"

namespace platform::d3d9 {

Texture::Texture(Device* device, int width, int height, int levelCount, DWORD usage,
                 D3DFORMAT format, D3DPOOL pool)
    : device(device),
      pool(pool),
      pixels(width, height, levelCount, static_cast<raster::ColorFormat>(format)) {
    device->AddRef();
    if (pool == D3DPOOL_DEFAULT) {
        device->AddDefaultPoolObject();
    }
    for (int i = 0; i < pixels.levelCount(); ++i) {
        levels.push_back(Surface::MakeColor(device, Surface::Lifetime::Container, nullptr,
                                            &pixels.level(i), this, usage, pool));
    }
}

Texture::~Texture() {
    device->FlushPendingDraws();  // draws may still sample it
    for (Surface* level : levels) {
        Surface::Destroy(level);
    }
    if (pool == D3DPOOL_DEFAULT) {
        device->RemoveDefaultPoolObject();
    }
}

ULONG Texture::AddRef() {
    if (references++ == 0) {
        device->AddRef();
    }
    return references;
}

ULONG Texture::Release() {
    ULONG left = --references;
    if (left == 0) {
        Device* owner = device;
        if (bindings == 0) {
            delete this;
        }
        owner->Release();
    }
    return left;
}

void Texture::Unbind() {
    if (--bindings == 0 && references == 0) {
        delete this;
    }
}

DWORD Texture::GetLevelCount() {
    return static_cast<DWORD>(levels.size());
}

HRESULT Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* description) {
    if (level >= levels.size()) {
        return D3DERR_INVALIDCALL;
    }
    return levels[level]->GetDesc(description);
}

HRESULT Texture::GetSurfaceLevel(UINT level, IDirect3DSurface9** surfaceLevel) {
    if (!surfaceLevel) {
        return D3DERR_INVALIDCALL;
    }
    *surfaceLevel = nullptr;
    if (level >= levels.size()) {
        return D3DERR_INVALIDCALL;
    }
    levels[level]->AddRef();
    *surfaceLevel = levels[level];
    return D3D_OK;
}

HRESULT Texture::LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) {
    if (level >= levels.size()) {
        return D3DERR_INVALIDCALL;
    }
    return levels[level]->LockRect(lockedRect, rect, flags);
}

HRESULT Texture::UnlockRect(UINT level) {
    if (level >= levels.size()) {
        return D3DERR_INVALIDCALL;
    }
    return levels[level]->UnlockRect();
}

}  // namespace platform::d3d9
