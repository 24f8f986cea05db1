// Surfaces: reference counts by lifetime, description, and locking for CPU access.
#include "d3d9/surface.h"

#include "d3d9/device.h"
#include "d3d9/texture.h"

namespace platform::d3d9 {

Surface::Surface(Device* device, Lifetime lifetime) : device(device), lifetime(lifetime) {}

Surface::~Surface() {
    if (color) {
        device->Renderer().Forget(*color);
    }
    if (depth) {
        device->Renderer().Forget(*depth);
    }
}

Surface* Surface::MakeColor(Device* device, Lifetime lifetime,
                            std::unique_ptr<raster::ColorSurface> owned,
                            raster::ColorSurface* borrowed, IDirect3DBaseTexture9* container,
                            DWORD usage, D3DPOOL pool) {
    Surface* surface = new Surface(device, lifetime);
    surface->ownedColor = std::move(owned);
    surface->color = surface->ownedColor ? surface->ownedColor.get() : borrowed;
    surface->container = container;
    D3DSURFACE_DESC& desc = surface->desc;
    desc.Format = static_cast<D3DFORMAT>(surface->color->format());
    desc.Type = D3DRTYPE_SURFACE;
    desc.Usage = usage;
    desc.Pool = pool;
    desc.MultiSampleType = D3DMULTISAMPLE_NONE;
    desc.Width = static_cast<UINT>(surface->color->width());
    desc.Height = static_cast<UINT>(surface->color->height());
    return surface;
}

Surface* Surface::MakeDepth(Device* device, Lifetime lifetime, D3DFORMAT format, int width,
                            int height) {
    Surface* surface = new Surface(device, lifetime);
    surface->depth = std::make_unique<raster::DepthStencilSurface>(width, height);
    D3DSURFACE_DESC& desc = surface->desc;
    desc.Format = format;
    desc.Type = D3DRTYPE_SURFACE;
    desc.Usage = D3DUSAGE_DEPTHSTENCIL;
    desc.Pool = D3DPOOL_DEFAULT;
    desc.MultiSampleType = D3DMULTISAMPLE_NONE;
    desc.Width = static_cast<UINT>(width);
    desc.Height = static_cast<UINT>(height);
    if (lifetime == Lifetime::Own) {
        surface->references = 1;
        device->AddRef();
        device->AddDefaultPoolObject();
    }
    return surface;
}

ULONG Surface::AddRef() {
    switch (lifetime) {
        case Lifetime::Container:
            return container->AddRef();
        case Lifetime::Implicit:
            if (references == 0) {
                device->AddRef();
                device->AddDefaultPoolObject();
            }
            return ++references;
        case Lifetime::Own:
            break;
    }
    // A surface released while still set comes back with GetRenderTarget and friends.
    if (references++ == 0) {
        device->AddRef();
    }
    return references;
}

ULONG Surface::Release() {
    switch (lifetime) {
        case Lifetime::Container:
            return container->Release();
        case Lifetime::Implicit: {
            ULONG left = --references;
            if (left == 0) {
                // The device may go with this release and take the surface with it.
                Device* owner = device;
                owner->RemoveDefaultPoolObject();
                owner->Release();
            }
            return left;
        }
        case Lifetime::Own:
            break;
    }
    ULONG left = --references;
    if (left == 0) {
        Device* owner = device;
        if (bindings == 0) {
            owner->RemoveDefaultPoolObject();
            owner->FlushPendingDraws();  // draws may still test against it
            delete this;
        }
        owner->Release();
    }
    return left;
}

void Surface::Bind() {
    switch (lifetime) {
        case Lifetime::Container:
            TextureImpl(container)->Bind();
            break;
        case Lifetime::Own:
            ++bindings;
            break;
        case Lifetime::Implicit:
            break;
    }
}

void Surface::Unbind() {
    switch (lifetime) {
        case Lifetime::Container:
            TextureImpl(container)->Unbind();
            break;
        case Lifetime::Own:
            if (--bindings == 0 && references == 0) {
                device->RemoveDefaultPoolObject();
                device->FlushPendingDraws();
                delete this;
            }
            break;
        case Lifetime::Implicit:
            break;
    }
}

HRESULT Surface::GetDesc(D3DSURFACE_DESC* description) {
    if (!description) {
        return D3DERR_INVALIDCALL;
    }
    *description = desc;
    return D3D_OK;
}

HRESULT Surface::LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD) {
    // Depth stencils of these formats cannot be locked on Windows either.
    if (!lockedRect || !color || locked) {
        return D3DERR_INVALIDCALL;
    }
    device->FlushPendingDraws();  // the program reads or writes the pixels as drawn so far
    RECT area = {0, 0, color->width(), color->height()};
    if (rect) {
        if (rect->left < 0 || rect->top < 0 || rect->right > area.right ||
            rect->bottom > area.bottom || rect->left >= rect->right || rect->top >= rect->bottom) {
            return D3DERR_INVALIDCALL;
        }
        area = *rect;
    }
    lockedRect->Pitch = color->pitch() * 4;
    lockedRect->pBits = color->row(area.top) + area.left;
    locked = true;
    return D3D_OK;
}

HRESULT Surface::UnlockRect() {
    if (!locked) {
        return D3DERR_INVALIDCALL;
    }
    locked = false;
    device->Renderer().Changed(*color);  // the program may have written the pixels
    return D3D_OK;
}

}  // namespace platform::d3d9
