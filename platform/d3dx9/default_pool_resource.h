// The default-pool resource a D3DX sprite or font holds from its creation (and from each
// OnResetDevice) until OnLostDevice or its release. D3DX's own objects keep their buffers
// there, so a device Reset fails while one has not been told of the loss; holding a real
// resource of the device keeps that true on any Direct3D 9 device, ours or Windows' own.
#pragma once

#include "d3dx9.h"

namespace platform::d3dx9 {

class DefaultPoolResource {
  public:
    DefaultPoolResource() = default;
    ~DefaultPoolResource() { Drop(); }
    DefaultPoolResource(const DefaultPoolResource&) = delete;
    DefaultPoolResource& operator=(const DefaultPoolResource&) = delete;

    // Makes the resource on `device` unless it is already held; the device's result otherwise.
    HRESULT Acquire(IDirect3DDevice9* device);
    // Releases it, if held.
    void Drop();

  private:
    IDirect3DTexture9* texture = nullptr;
};

}  // namespace platform::d3dx9
