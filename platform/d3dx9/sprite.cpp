// The D3DX sprite. Its device objects live in the default pool from creation (and from each
// OnResetDevice) until OnLostDevice or its release, so a forgotten OnLostDevice makes Reset fail
// as on Windows.
#include "common/ref_counted.h"
#include "d3d9/device.h"
#include "d3dx9.h"
#include "seam/hooks.h"

namespace platform::d3dx9 {
namespace {

class Sprite final : public RefCounted<ID3DXSprite> {
  public:
    explicit Sprite(IDirect3DDevice9* device) : device(device) {
        device->AddRef();
        d3d9::Impl(device)->AddDefaultPoolObject();
    }

    HRESULT OnLostDevice() override {
        seam::Trace("Sprite.OnLostDevice");
        if (holdsDeviceObjects) {
            holdsDeviceObjects = false;
            d3d9::Impl(device)->RemoveDefaultPoolObject();
        }
        return D3D_OK;
    }

    HRESULT OnResetDevice() override {
        seam::Trace("Sprite.OnResetDevice");
        if (!holdsDeviceObjects) {
            holdsDeviceObjects = true;
            d3d9::Impl(device)->AddDefaultPoolObject();
        }
        return D3D_OK;
    }

  private:
    ~Sprite() {
        if (holdsDeviceObjects) {
            d3d9::Impl(device)->RemoveDefaultPoolObject();
        }
        device->Release();
    }

    IDirect3DDevice9* device;
    bool holdsDeviceObjects = true;
};

}  // namespace
}  // namespace platform::d3dx9

HRESULT WINAPI D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite) {
    if (!device || !sprite) {
        return D3DERR_INVALIDCALL;
    }
    *sprite = nullptr;
    if (platform::seam::ShouldFail(platform::seam::Failure::CreateSprite)) {
        return E_OUTOFMEMORY;
    }
    *sprite = new platform::d3dx9::Sprite(device);
    return D3D_OK;
}
