// The Direct3D object: the entry point and device creation.
#include "common/ref_counted.h"
#include "d3d9/device.h"
#include "seam/hooks.h"
#include "win32/window_table.h"

namespace platform::d3d9 {
namespace {

bool CreationFails(D3DDEVTYPE type, DWORD behavior) {
    using seam::Failure;
    if (type == D3DDEVTYPE_REF) {
        return seam::ShouldFail(Failure::CreateDeviceRef);
    }
    bool hardware = (behavior & D3DCREATE_HARDWARE_VERTEXPROCESSING) != 0;
    return seam::ShouldFail(hardware ? Failure::CreateDeviceHalHardware
                                     : Failure::CreateDeviceHalSoftware);
}

bool OneVertexProcessingMode(DWORD behavior) {
    DWORD modes =
        behavior & (D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING |
                    D3DCREATE_MIXED_VERTEXPROCESSING);
    return modes != 0 && (modes & (modes - 1)) == 0;
}

class Direct3D final : public RefCounted<IDirect3D9> {
  public:
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override {
        if (!device) {
            return D3DERR_INVALIDCALL;
        }
        *device = nullptr;
        if (adapter != D3DADAPTER_DEFAULT || !parameters || !OneVertexProcessingMode(behavior)) {
            return D3DERR_INVALIDCALL;
        }
        if (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF && type != D3DDEVTYPE_SW) {
            return D3DERR_NOTAVAILABLE;
        }
        if (CreationFails(type, behavior)) {
            return D3DERR_NOTAVAILABLE;
        }
        if (!Device::CompleteParameters(parameters, focusWindow)) {
            return D3DERR_INVALIDCALL;
        }
        HWND window = parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow;
        *device = new Device(this, window, *parameters);
        return D3D_OK;
    }

  private:
    ~Direct3D() = default;
};

}  // namespace
}  // namespace platform::d3d9

IDirect3D9* WINAPI Direct3DCreate9(UINT sdkVersion) {
    if ((sdkVersion & 0x7FFFFFFF) != D3D_SDK_VERSION ||
        platform::seam::ShouldFail(platform::seam::Failure::Direct3DCreate)) {
        return nullptr;
    }
    return new platform::d3d9::Direct3D();
}
