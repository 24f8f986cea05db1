// The one device implementation: Direct3D 9's states, resources, pools, loss and results, its
// draws, clears and Present handed to the renderer chosen at start (render/renderer.h), which
// draws into the back buffer and render-target textures. Internal header: D3DX and the test
// seam reach the device through it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/ref_counted.h"
#include "d3d9.h"
#include "d3d9/device_state.h"
#include "raster/raster_types.h"
#include "render/renderer.h"

namespace platform::raster {
struct DrawState;
}

namespace platform::d3d9 {

class Surface;
class Texture;

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

    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
    HRESULT GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override;
    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) override;
    HRESULT SetFVF(DWORD fvf) override;
    HRESULT GetFVF(DWORD* fvf) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT primitiveCount,
                            const void* vertexData, UINT vertexStride) override;

    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* sharedHandle) override;
    HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                      D3DMULTISAMPLE_TYPE multiSample, DWORD multisampleQuality,
                                      BOOL discard, IDirect3DSurface9** surface,
                                      HANDLE* sharedHandle) override;
    HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** renderTarget) override;
    HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* renderTarget) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface9** depthStencil) override;
    HRESULT SetDepthStencilSurface(IDirect3DSurface9* depthStencil) override;

    // Resources in the default pool must all be gone before Reset succeeds.
    void AddDefaultPoolObject() { ++defaultPoolObjects; }
    void RemoveDefaultPoolObject() { --defaultPoolObjects; }
    int DefaultPoolObjects() const { return defaultPoolObjects; }

    // The device is lost; TestCooperativeLevel answers "lost" `lostChecks` more times, then
    // "not reset".
    void Lose(int lostChecks);

    Surface* BackBuffer() const { return backBuffer; }

    // Every draw and clear so far reaches the surfaces' pixels; before anything reads or frees
    // a surface or texture.
    void FlushPendingDraws() { renderer->Finish(); }

    render::Renderer& Renderer() { return *renderer; }

    // Completes parameters as CreateDevice and Reset do (sizes and format of a windowed back
    // buffer from the window); false when they are not valid.
    static bool CompleteParameters(D3DPRESENT_PARAMETERS* parameters, HWND focusWindow);

  private:
    enum class State { Working, Lost, NotReset };

    ~Device() override;
    void ApplyParameters(const D3DPRESENT_PARAMETERS& parameters);
    void ReleaseImplicitSurfaces();
    void UnbindAll();
    void SetTarget(Surface* surface);
    void SetDepth(Surface* surface);
    // The rasteriser's state for the next draw; false when nothing can be drawn.
    bool BuildDrawState(raster::DrawState& draw) const;

    IDirect3D9* direct3d;
    HWND window;
    D3DPRESENT_PARAMETERS presentParameters = {};
    Surface* backBuffer = nullptr;
    Surface* autoDepthStencil = nullptr;
    Surface* renderTarget = nullptr;  // bound, see Surface::Bind
    Surface* depthStencil = nullptr;  // bound; null when none is set
    Texture* textures[kSamplers] = {};
    DeviceState pipeline;
    D3DVIEWPORT9 viewport = {};
    State state = State::Working;
    int lostChecksLeft = 0;
    bool inScene = false;
    int defaultPoolObjects = 0;
    std::vector<raster::ScreenVertex> vertices;  // reused by every draw
    std::unique_ptr<render::Renderer> renderer;
};

// Our own device behind the interface (every device is ours).
inline Device* Impl(IDirect3DDevice9* device) {
    return static_cast<Device*>(device);
}

}  // namespace platform::d3d9
