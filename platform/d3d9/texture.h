// A 2D texture: the rasteriser's mip chain, one Surface per level for GetSurfaceLevel, a
// reference on the device, and a place in the device's default-pool count when it lives in
// the default pool (render targets among them).
#pragma once

#include <memory>
#include <vector>

#include <atomic>
#include "d3d9.h"
#include "d3d9/surface.h"
#include "raster/texture.h"

namespace platform::d3d9 {

class Device;

// Counted like Windows counts it for the program; besides, the device's hold while it is set on
// a stage or as a render target keeps the texture (but not the device) alive, so releasing the
// device with a texture still set frees both.
class Texture final : public IDirect3DTexture9 {
  public:
    // levels 0 asks for the full chain; sizes and format must have been checked.
    Texture(Device* device, int width, int height, int levels, DWORD usage, D3DFORMAT format,
            D3DPOOL pool);

    ULONG AddRef() override;
    ULONG Release() override;
    void Bind() { ++bindings; }
    void Unbind();

    DWORD GetLevelCount() override;
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* description) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surfaceLevel) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                     DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

    Device* Owner() const { return device; }
    raster::Texture& Pixels() { return pixels; }
    const raster::Texture& Pixels() const { return pixels; }

  private:
    ~Texture();

    Device* device;
    std::atomic<ULONG> references{1};
    int bindings = 0;
    D3DPOOL pool;
    raster::Texture pixels;
    std::vector<Surface*> levels;
};

// Our own texture behind the interface (every texture is ours); null stays null.
inline Texture* TextureImpl(IDirect3DBaseTexture9* texture) {
    return static_cast<Texture*>(static_cast<IDirect3DTexture9*>(texture));
}

}  // namespace platform::d3d9
