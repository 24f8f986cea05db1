// The D3DX font object: the face, size and options it was made with, and a default-pool
// resource held from creation (and from each OnResetDevice) until OnLostDevice or its
// release, so a forgotten OnLostDevice makes Reset fail as on Windows.
#include <string>

#include "common/ref_counted.h"
#include "d3dx9.h"
#include "d3dx9/default_pool_resource.h"
#include "seam/hooks.h"

namespace platform::d3dx9 {
namespace {

class Font final : public RefCounted<ID3DXFont> {
  public:
    Font(IDirect3DDevice9* device, std::string face) : device(device), face(std::move(face)) {
        device->AddRef();
    }

    HRESULT OnLostDevice() override {
        seam::Trace("Font.OnLostDevice " + face);
        deviceObject.Drop();
        return D3D_OK;
    }

    HRESULT OnResetDevice() override {
        seam::Trace("Font.OnResetDevice " + face);
        return deviceObject.Acquire(device);
    }

    // Made with the font, without the reset's trace entry.
    HRESULT Acquire() { return deviceObject.Acquire(device); }

  private:
    ~Font() override {
        deviceObject.Drop();
        device->Release();
    }

    IDirect3DDevice9* device;
    std::string face;  // names the font in the trace
    DefaultPoolResource deviceObject;
};

}  // namespace
}  // namespace platform::d3dx9

HRESULT WINAPI D3DXCreateFontA(IDirect3DDevice9* device, INT height, UINT width, UINT weight, UINT,
                               BOOL, DWORD charSet, DWORD, DWORD, DWORD, LPCSTR faceName,
                               ID3DXFont** font) {
    if (!device || !font) {
        return D3DERR_INVALIDCALL;
    }
    *font = nullptr;
    std::string face = faceName ? faceName : "";
    platform::seam::Trace("D3DXCreateFontA " + face + " " + std::to_string(height) + " " +
                          std::to_string(width) + " " + std::to_string(weight) + " " +
                          std::to_string(charSet));
    if (platform::seam::ShouldFail(platform::seam::Failure::CreateFont)) {
        return E_OUTOFMEMORY;
    }
    auto* made = new platform::d3dx9::Font(device, std::move(face));
    const HRESULT result = made->Acquire();
    if (result != D3D_OK) {
        made->Release();
        return result;
    }
    *font = made;
    return D3D_OK;
}
