// The one device implementation: a software device drawing into memory surfaces, shown in its
// window by Present. Internal header: D3DX and the test seam reach the device through it.
#pragma once

#include <cstdint>
#include <vector>

#include "common/ref_counted.h"
#include "d3d9.h"

namespace platform::d3d9 {

// A plain 32-bit surface in memory (colour as ARGB, depth-stencil as depth << 8 | stencil).
struct MemorySurface {
    int width = 0;
    int height = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    std::vector<uint32_t> pixels;
};

class Device final : public RefCounted<IDirect3DDevice9> {
  public:
    Device(IDirect3D9* direct3d, HWND window, const D3DPRESENT_PARAMETERS& parameters);

    HRESULT TestCooperativeLevel() override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
    HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override;
    HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* viewport) override;

    // Resources in the default pool must all be gone before Reset succeeds.
    void AddDefaultPoolObject() { ++defaultPoolObjects; }
    void RemoveDefaultPoolObject() { --defaultPoolObjects; }
    int DefaultPoolObjects() const { return defaultPoolObjects; }

    // The device is lost; TestCooperativeLevel answers "lost" `lostChecks` more times, then
    // "not reset".
    void Lose(int lostChecks);

    const MemorySurface& BackBuffer() const { return backBuffer; }

    // Completes parameters as CreateDevice and Reset do (sizes and format of a windowed back
    // buffer from the window); false when they are not valid.
    static bool CompleteParameters(D3DPRESENT_PARAMETERS* parameters, HWND focusWindow);

  private:
    enum class State { Working, Lost, NotReset };

    ~Device() override;
    void ApplyParameters(const D3DPRESENT_PARAMETERS& parameters);
    void ClearRect(MemorySurface& surface, int x0, int y0, int x1, int y1, uint32_t value,
                   uint32_t keepMask);

    IDirect3D9* direct3d;
    HWND window;
    D3DPRESENT_PARAMETERS presentParameters = {};
    MemorySurface backBuffer;
    MemorySurface depthStencil;
    D3DVIEWPORT9 viewport = {};
    State state = State::Working;
    int lostChecksLeft = 0;
    bool inScene = false;
    int defaultPoolObjects = 0;
};

// Our own device behind the interface (every device is ours).
inline Device* Impl(IDirect3DDevice9* device) {
    return static_cast<Device*>(device);
}

}  // namespace platform::d3d9
