// The smallest default-pool resource there is: a 1 x 1 texture that nothing draws with.
#include "d3dx9/default_pool_resource.h"

namespace platform::d3dx9 {

HRESULT DefaultPoolResource::Acquire(IDirect3DDevice9* device) {
    if (texture) {
        return D3D_OK;
    }
    return device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture, nullptr);
}

void DefaultPoolResource::Drop() {
    if (texture) {
        texture->Release();
        texture = nullptr;
    }
}

}  // namespace platform::d3dx9
