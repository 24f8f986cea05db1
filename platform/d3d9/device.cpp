// The device: presentation parameters, back buffer and depth stencil, scenes, clears,
// viewport, Present into the window, device loss and Reset.
#include "d3d9/device.h"

#include <algorithm>

#include "sdl/backend.h"
#include "seam/hooks.h"
#include "win32/window_table.h"

namespace platform::d3d9 {
namespace {

bool IsBackBufferFormat(D3DFORMAT format) {
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8;
}

MemorySurface MakeSurface(int width, int height, D3DFORMAT format, uint32_t fill) {
    MemorySurface surface;
    surface.width = width;
    surface.height = height;
    surface.format = format;
    surface.pixels.assign(static_cast<size_t>(width) * height, fill);
    return surface;
}

uint32_t DepthBits(float z) {
    float clamped = std::clamp(z, 0.0f, 1.0f);
    return static_cast<uint32_t>(clamped * 16777215.0f + 0.5f);
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
    : direct3d(direct3d), window(window) {
    direct3d->AddRef();
    ApplyParameters(parameters);
}

Device::~Device() {
    win32::LeaveDeviceFullscreen(window);
    direct3d->Release();
}

void Device::ApplyParameters(const D3DPRESENT_PARAMETERS& parameters) {
    presentParameters = parameters;
    int width = static_cast<int>(parameters.BackBufferWidth);
    int height = static_cast<int>(parameters.BackBufferHeight);
    backBuffer = MakeSurface(width, height, parameters.BackBufferFormat, 0xFF000000);
    depthStencil = parameters.EnableAutoDepthStencil
                       ? MakeSurface(width, height, parameters.AutoDepthStencilFormat, 0xFFFFFF00)
                       : MemorySurface{};
    viewport = D3DVIEWPORT9{0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 1};
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
    sdl::PresentFrame(win32::SdlWindowOf(window), backBuffer.pixels.data(), backBuffer.width,
                      backBuffer.height, backBuffer.width * 4, !presentParameters.Windowed);
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

void Device::ClearRect(MemorySurface& surface, int x0, int y0, int x1, int y1, uint32_t value,
                       uint32_t keepMask) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, surface.width);
    y1 = std::min(y1, surface.height);
    for (int y = y0; y < y1; ++y) {
        uint32_t* row = surface.pixels.data() + static_cast<size_t>(y) * surface.width;
        for (int x = x0; x < x1; ++x) {
            row[x] = (row[x] & keepMask) | value;
        }
    }
}

HRESULT Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                      DWORD stencil) {
    bool depthFlags = (flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) != 0;
    if ((count > 0 && !rects) || (depthFlags && depthStencil.pixels.empty())) {
        return D3DERR_INVALIDCALL;
    }
    uint32_t depthValue = 0;
    uint32_t depthKeep = 0xFFFFFFFF;
    if (flags & D3DCLEAR_ZBUFFER) {
        depthValue |= DepthBits(z) << 8;
        depthKeep &= 0x000000FF;
    }
    if (flags & D3DCLEAR_STENCIL) {
        depthValue |= stencil & 0xFF;
        depthKeep &= 0xFFFFFF00;
    }
    uint32_t colour = backBuffer.format == D3DFMT_X8R8G8B8 ? (color | 0xFF000000) : color;
    int vx0 = static_cast<int>(viewport.X);
    int vy0 = static_cast<int>(viewport.Y);
    int vx1 = vx0 + static_cast<int>(viewport.Width);
    int vy1 = vy0 + static_cast<int>(viewport.Height);
    DWORD pieces = count > 0 ? count : 1;
    for (DWORD i = 0; i < pieces; ++i) {
        int x0 = count ? std::max<int>(rects[i].x1, vx0) : vx0;
        int y0 = count ? std::max<int>(rects[i].y1, vy0) : vy0;
        int x1 = count ? std::min<int>(rects[i].x2, vx1) : vx1;
        int y1 = count ? std::min<int>(rects[i].y2, vy1) : vy1;
        if (flags & D3DCLEAR_TARGET) {
            ClearRect(backBuffer, x0, y0, x1, y1, colour, 0);
        }
        if (depthFlags) {
            ClearRect(depthStencil, x0, y0, x1, y1, depthValue, depthKeep);
        }
    }
    return D3D_OK;
}

HRESULT Device::SetViewport(const D3DVIEWPORT9* newViewport) {
    if (!newViewport || seam::ShouldFail(seam::Failure::SetViewport)) {
        return D3DERR_INVALIDCALL;
    }
    uint64_t right = uint64_t{newViewport->X} + newViewport->Width;
    uint64_t bottom = uint64_t{newViewport->Y} + newViewport->Height;
    if (right > static_cast<uint64_t>(backBuffer.width) ||
        bottom > static_cast<uint64_t>(backBuffer.height) || newViewport->MinZ < 0.0f ||
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
