// A Direct3D surface over the rasteriser's memory: a colour surface (the back buffer, or one
// level of a texture) or a depth-stencil surface. Who keeps it alive depends on where it came
// from, see Lifetime.
#pragma once

#include <atomic>
#include <memory>

#include "d3d9.h"
#include "raster/surface.h"

namespace platform::d3d9 {

class Device;

class Surface final : public IDirect3DSurface9 {
  public:
    enum class Lifetime {
        // Made by CreateDepthStencilSurface: its own count; deleted once released and unbound.
        Own,
        // A texture level: references are the texture's references.
        Container,
        // The device's back buffer or automatic depth stencil: the device deletes it. While the
        // program holds a reference it keeps the device alive and counts as a default-pool
        // object, so Reset fails until it is released, as on Windows.
        Implicit,
    };

    // A colour surface the surface owns (Implicit) or borrows from a texture (Container).
    static Surface* MakeColor(Device* device, Lifetime lifetime,
                              std::unique_ptr<raster::ColorSurface> owned,
                              raster::ColorSurface* borrowed, IDirect3DBaseTexture9* container,
                              DWORD usage, D3DPOOL pool);
    static Surface* MakeDepth(Device* device, Lifetime lifetime, D3DFORMAT format, int width,
                              int height);

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDesc(D3DSURFACE_DESC* description) override;
    HRESULT LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

    raster::ColorSurface* Color() const { return color; }
    raster::DepthStencilSurface* Depth() const { return depth.get(); }
    Lifetime GetLifetime() const { return lifetime; }
    Device* Owner() const { return device; }
    const D3DSURFACE_DESC& Desc() const { return desc; }

    // The device's hold while the surface is a render target or depth stencil: it keeps the
    // pixels (and a texture level's texture) alive but not the device, so that releasing the
    // device with a target still set frees everything.
    void Bind();
    void Unbind();

    // The device deletes its implicit surfaces; texture levels go with their texture.
    static void Destroy(Surface* surface) { delete surface; }

  private:
    Surface(Device* device, Lifetime lifetime);
    ~Surface();

    Device* device;
    Lifetime lifetime;
    std::atomic<ULONG> references{0};
    int bindings = 0;
    IDirect3DBaseTexture9* container = nullptr;
    std::unique_ptr<raster::ColorSurface> ownedColor;
    raster::ColorSurface* color = nullptr;
    std::unique_ptr<raster::DepthStencilSurface> depth;
    D3DSURFACE_DESC desc = {};
    bool locked = false;
};

// Our own surface behind the interface (every surface is ours); null stays null.
inline Surface* SurfaceImpl(IDirect3DSurface9* surface) {
    return static_cast<Surface*>(surface);
}

}  // namespace platform::d3d9
