// The device: presentation parameters, back buffer and automatic depth stencil, scenes, clears,
// viewport, Present into the window, device loss and Reset. States, resources and drawing are
// in device_*.cpp.
#include "d3d9/device.h"

#include <algorithm>
#include <memory>

#include "d3d9/renderer_choice.h"
#include "d3d9/surface.h"
#include "d3d9/texture.h"

#include "sdl/backend.h"
#include "seam/hooks.h"
#include "win32/window_table.h"

namespace platform::d3d9 {
namespace {

bool IsBackBufferFormat(D3DFORMAT format) {
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8;
}

raster::Rect RectOfViewport(const D3DVIEWPORT9& viewport) {
    int x = static_cast<int>(viewport.X);
    int y = static_cast<int>(viewport.Y);
    return raster::Rect{x, y, x + static_cast<int>(viewport.Width),
                        y + static_cast<int>(viewport.Height)};
}

}  // namespace

bool Device::CompleteParameters(D3DPRESENT_PARAMETERS* parameters, HWND focusWindow) {
    HWND window = parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow;
    if (!win32::FindWindow(window) || parameters->BackBufferCount > 3) {
        return false;
    }
    if (parameters->EnableAutoDepthStencil && parameters->AutoDepthStencilFormat != D3DFMT_D24S8 &&
        parameters->AutoDepthStencilFormat != D3DFMT_D24X8) {
        return false;
    }
    if (parameters->Windowed) {
        int width = 0;
        int height = 0;
        win32::GetClientSize(window, &width, &height);
        if (parameters->BackBufferWidth == 0)
            parameters->BackBufferWidth = std::max(width, 1);
        if (parameters->BackBufferHeight == 0)
            parameters->BackBufferHeight = std::max(height, 1);
        if (parameters->BackBufferFormat == D3DFMT_UNKNOWN) {
            parameters->BackBufferFormat = D3DFMT_X8R8G8B8;  // the desktop's format
        }
    } else if (parameters->BackBufferWidth == 0 || parameters->BackBufferHeight == 0) {
        return false;
    }
    if (!IsBackBufferFormat(parameters->BackBufferFormat) || parameters->BackBufferWidth > 8192 ||
        parameters->BackBufferHeight > 8192) {
        return false;
    }
    if (parameters->BackBufferCount == 0) {
        parameters->BackBufferCount = 1;
    }
    return true;
}

Device::Device(IDirect3D9* direct3d, HWND window, const D3DPRESENT_PARAMETERS& parameters)
    : direct3d(direct3d), window(window), renderer(MakeRenderer(win32::SdlWindowOf(window))) {
    direct3d->AddRef();
    ApplyParameters(parameters);
}

Device::~Device() {
    renderer->Finish();
    UnbindAll();
    ReleaseImplicitSurfaces();
    win32::LeaveDeviceFullscreen(window);
    direct3d->Release();
}

void Device::UnbindAll() {
    for (Texture*& texture : textures) {
        if (texture) {
            Texture* unbound = texture;
            texture = nullptr;
            unbound->Unbind();
        }
    }
    SetTarget(nullptr);
    SetDepth(nullptr);
}

void Device::ReleaseImplicitSurfaces() {
    if (backBuffer) {
        Surface::Destroy(backBuffer);
        backBuffer = nullptr;
    }
    if (autoDepthStencil) {
        Surface::Destroy(autoDepthStencil);
        autoDepthStencil = nullptr;
    }
}

// The new back buffer and depth stencil, the targets set to them and every state at its
// default, as after CreateDevice.
void Device::ApplyParameters(const D3DPRESENT_PARAMETERS& parameters) {
    renderer->Finish();
    UnbindAll();
    ReleaseImplicitSurfaces();
    presentParameters = parameters;
    int width = static_cast<int>(parameters.BackBufferWidth);
    int height = static_cast<int>(parameters.BackBufferHeight);
    auto pixels = std::make_unique<raster::ColorSurface>(
        width, height, static_cast<raster::ColorFormat>(parameters.BackBufferFormat));
    backBuffer = Surface::MakeColor(this, Surface::Lifetime::Implicit, std::move(pixels), nullptr,
                                    nullptr, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT);
    render::ClearRequest clear;
    clear.target = backBuffer->Color();
    clear.color = 0xFF000000;
    if (parameters.EnableAutoDepthStencil) {
        autoDepthStencil = Surface::MakeDepth(this, Surface::Lifetime::Implicit,
                                              parameters.AutoDepthStencilFormat, width, height);
        clear.depthStencil = autoDepthStencil->Depth();
        clear.clearDepth = clear.clearStencil = true;
    }
    clear.clip = raster::Rect{0, 0, width, height};
    clear.wholeSurfaces = true;
    renderer->Clear(clear);
    SetTarget(backBuffer);
    SetDepth(autoDepthStencil);
    pipeline.SetDefaults(parameters.EnableAutoDepthStencil != FALSE);
    if (parameters.Windowed) {
        win32::LeaveDeviceFullscreen(window);
    } else {
        win32::EnterDeviceFullscreen(window, width, height);
    }
}

HRESULT Device::TestCooperativeLevel() {
    seam::Trace("TestCooperativeLevel");
    if (state == State::Lost) {
        if (lostChecksLeft > 0) {
            --lostChecksLeft;
            return D3DERR_DEVICELOST;
        }
        state = State::NotReset;
    }
    return state == State::NotReset ? D3DERR_DEVICENOTRESET : D3D_OK;
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* parameters) {
    seam::Trace("Reset");
    if (!parameters) {
        return D3DERR_INVALIDCALL;
    }
    if (state == State::Lost) {
        if (lostChecksLeft > 0) {
            return D3DERR_DEVICELOST;
        }
        state = State::NotReset;
    }
    // A failed Reset leaves the device waiting for another one, as on Windows.
    if (defaultPoolObjects > 0 || inScene || seam::ShouldFail(seam::Failure::Reset) ||
        !CompleteParameters(parameters, window)) {
        state = State::NotReset;
        return D3DERR_INVALIDCALL;
    }
    ApplyParameters(*parameters);
    state = State::Working;
    return D3D_OK;
}

HRESULT Device::Present(const RECT*, const RECT*, HWND, const RGNDATA*) {
    seam::Trace("Present");
    if (state != State::Working) {
        return D3DERR_DEVICELOST;
    }
    if (seam::ShouldFail(seam::Failure::Present)) {
        return D3DERR_DRIVERINTERNALERROR;
    }
    renderer->Present(*backBuffer->Color(), render::PresentTarget{win32::SdlWindowOf(window),
                                                                  !presentParameters.Windowed});
    return D3D_OK;
}

HRESULT Device::BeginScene() {
    if (inScene || seam::ShouldFail(seam::Failure::BeginScene)) {
        return D3DERR_INVALIDCALL;
    }
    inScene = true;
    return D3D_OK;
}

HRESULT Device::EndScene() {
    if (!inScene) {
        return D3DERR_INVALIDCALL;
    }
    inScene = false;
    return D3D_OK;
}

HRESULT Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                      DWORD stencil) {
    bool depthFlags = (flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) != 0;
    if ((count > 0 && !rects) || (depthFlags && !depthStencil)) {
        return D3DERR_INVALIDCALL;
    }
    render::ClearRequest clear;
    for (DWORD i = 0; i < count; ++i) {
        clear.rects.push_back(
            raster::Rect{static_cast<int>(rects[i].x1), static_cast<int>(rects[i].y1),
                         static_cast<int>(rects[i].x2), static_cast<int>(rects[i].y2)});
    }
    clear.clip = RectOfViewport(viewport);
    raster::ColorSurface* target = renderTarget->Color();
    raster::DepthStencilSurface* depth = depthFlags ? depthStencil->Depth() : nullptr;
    const bool wholeTarget = clear.clip.left == 0 && clear.clip.top == 0 &&
                             clear.clip.right == target->width() &&
                             clear.clip.bottom == target->height();
    const bool wholeDepth =
        !depth || (depth->width() == target->width() && depth->height() == target->height());
    clear.target = (flags & D3DCLEAR_TARGET) ? target : nullptr;
    clear.color = color;
    clear.depthStencil = depth;
    clear.clearDepth = (flags & D3DCLEAR_ZBUFFER) != 0;
    clear.z = z;
    clear.clearStencil = (flags & D3DCLEAR_STENCIL) != 0;
    clear.stencil = static_cast<uint8_t>(stencil);
    clear.wholeSurfaces = count == 0 && wholeTarget && wholeDepth;
    renderer->Clear(clear);
    return D3D_OK;
}

HRESULT Device::SetViewport(const D3DVIEWPORT9* newViewport) {
    if (!newViewport || seam::ShouldFail(seam::Failure::SetViewport)) {
        return D3DERR_INVALIDCALL;
    }
    uint64_t right = uint64_t{newViewport->X} + newViewport->Width;
    uint64_t bottom = uint64_t{newViewport->Y} + newViewport->Height;
    const raster::ColorSurface& target = *renderTarget->Color();
    if (right > static_cast<uint64_t>(target.width()) ||
        bottom > static_cast<uint64_t>(target.height()) || newViewport->MinZ < 0.0f ||
        newViewport->MaxZ > 1.0f || newViewport->MinZ > newViewport->MaxZ) {
        return D3DERR_INVALIDCALL;
    }
    viewport = *newViewport;
    return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT9* out) {
    if (!out) {
        return D3DERR_INVALIDCALL;
    }
    *out = viewport;
    return D3D_OK;
}

void Device::Lose(int lostChecks) {
    state = State::Lost;
    lostChecksLeft = lostChecks;
}

}  // namespace platform::d3d9
