// The device's resources: textures and depth-stencil surfaces it makes, and the render target
// and depth stencil it draws into.
#include "d3d9/device.h"
#include "d3d9/surface.h"
#include "d3d9/texture.h"

namespace platform::d3d9 {
namespace {

// The largest texture or surface side this device makes (what Direct3D 9 hardware commonly
// offers), and so the most memory one texture can take.
constexpr UINT kMaxSide = 8192;

bool IsColorFormat(D3DFORMAT format) {
    return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8;
}

bool IsDepthFormat(D3DFORMAT format) {
    return format == D3DFMT_D24S8 || format == D3DFMT_D24X8;
}

}  // namespace

HRESULT Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* sharedHandle) {
    if (!texture) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    const bool renderTargetUsage = (usage & D3DUSAGE_RENDERTARGET) != 0;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || sharedHandle ||
        (usage & D3DUSAGE_DEPTHSTENCIL) || (renderTargetUsage && pool != D3DPOOL_DEFAULT) ||
        (pool != D3DPOOL_DEFAULT && pool != D3DPOOL_MANAGED && pool != D3DPOOL_SYSTEMMEM &&
         pool != D3DPOOL_SCRATCH)) {
        return D3DERR_INVALIDCALL;
    }
    if (!IsColorFormat(format)) {
        return D3DERR_INVALIDCALL;
    }
    *texture = new Texture(this, static_cast<int>(width), static_cast<int>(height),
                           static_cast<int>(levels), usage, format, pool);
    return D3D_OK;
}

HRESULT Device::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                          D3DMULTISAMPLE_TYPE multiSample, DWORD, BOOL,
                                          IDirect3DSurface9** surface, HANDLE* sharedHandle) {
    if (!surface) {
        return D3DERR_INVALIDCALL;
    }
    *surface = nullptr;
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || sharedHandle ||
        multiSample != D3DMULTISAMPLE_NONE || !IsDepthFormat(format)) {
        return D3DERR_INVALIDCALL;
    }
    Surface* made = Surface::MakeDepth(this, Surface::Lifetime::Own, format,
                                       static_cast<int>(width), static_cast<int>(height));
    render::ClearRequest clear;
    clear.depthStencil = made->Depth();
    clear.clearDepth = clear.clearStencil = true;
    clear.clip = raster::Rect{0, 0, clear.depthStencil->width(), clear.depthStencil->height()};
    renderer->Clear(clear);
    *surface = made;
    return D3D_OK;
}

void Device::SetTarget(Surface* surface) {
    if (surface) {
        surface->Bind();
    }
    if (renderTarget) {
        renderTarget->Unbind();
    }
    renderTarget = surface;
    if (surface) {
        viewport = D3DVIEWPORT9{0,
                                0,
                                static_cast<DWORD>(surface->Color()->width()),
                                static_cast<DWORD>(surface->Color()->height()),
                                0.0f,
                                1.0f};
    }
}

void Device::SetDepth(Surface* surface) {
    if (surface) {
        surface->Bind();
    }
    if (depthStencil) {
        depthStencil->Unbind();
    }
    depthStencil = surface;
}

HRESULT Device::GetRenderTarget(DWORD index, IDirect3DSurface9** target) {
    if (!target) {
        return D3DERR_INVALIDCALL;
    }
    *target = nullptr;
    if (index != 0) {
        return index < 4 ? D3DERR_NOTFOUND : D3DERR_INVALIDCALL;
    }
    renderTarget->AddRef();
    *target = renderTarget;
    return D3D_OK;
}

HRESULT Device::SetRenderTarget(DWORD index, IDirect3DSurface9* target) {
    Surface* surface = SurfaceImpl(target);
    // Target 0 cannot be unset; only colour surfaces made as render targets qualify.
    if (index != 0 || !surface || !surface->Color() ||
        !(surface->Desc().Usage & D3DUSAGE_RENDERTARGET)) {
        return D3DERR_INVALIDCALL;
    }
    SetTarget(surface);
    return D3D_OK;
}

HRESULT Device::GetDepthStencilSurface(IDirect3DSurface9** surface) {
    if (!surface) {
        return D3DERR_INVALIDCALL;
    }
    *surface = nullptr;
    if (!depthStencil) {
        return D3DERR_NOTFOUND;
    }
    depthStencil->AddRef();
    *surface = depthStencil;
    return D3D_OK;
}

HRESULT Device::SetDepthStencilSurface(IDirect3DSurface9* surface) {
    Surface* depth = SurfaceImpl(surface);
    if (depth && !depth->Depth()) {
        return D3DERR_INVALIDCALL;
    }
    SetDepth(depth);
    return D3D_OK;
}

}  // namespace platform::d3d9
