// The D3DX sprite: batches textured rectangles between Begin and End under its transform and
// draws them through the device. Begin sets its states (and keeps the device's), Flush and End
// draw with the states as the caller left them, End puts the device's back. It uses only the
// public Direct3D 9 interface, so it draws alike on our device and on Windows' own. It holds a
// default-pool resource from creation (and from each OnResetDevice) until OnLostDevice or its
// release, so a forgotten OnLostDevice makes Reset fail as on Windows.
#include <vector>

#include "common/ref_counted.h"
#include "d3dx9.h"
#include "d3dx9/default_pool_resource.h"
#include "d3dx9/sprite_states.h"
#include "seam/hooks.h"

namespace platform::d3dx9 {
namespace {

struct SpriteVertex {
    float x, y, z;
    D3DCOLOR color;
    float u, v;
};
constexpr DWORD kSpriteFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct QueuedSprite {
    IDirect3DTexture9* texture;  // referenced while queued
    SpriteVertex corners[4];     // top-left, top-right, bottom-left, bottom-right
};

SpriteVertex Corner(const D3DXMATRIX& m, float x, float y, float z, D3DCOLOR color, float u,
                    float v) {
    return SpriteVertex{x * m._11 + y * m._21 + z * m._31 + m._41,
                        x * m._12 + y * m._22 + z * m._32 + m._42,
                        x * m._13 + y * m._23 + z * m._33 + m._43,
                        color,
                        u,
                        v};
}

class Sprite final : public RefCounted<ID3DXSprite> {
  public:
    explicit Sprite(IDirect3DDevice9* device) : device(device), states(device) {
        device->AddRef();
        D3DXMatrixIdentity(&transform);
    }

    HRESULT OnLostDevice() override {
        seam::Trace("Sprite.OnLostDevice");
        deviceObject.Drop();
        return D3D_OK;
    }

    HRESULT OnResetDevice() override {
        seam::Trace("Sprite.OnResetDevice");
        return deviceObject.Acquire(device);
    }

    // Made with the sprite, without the reset's trace entry.
    HRESULT Acquire() { return deviceObject.Acquire(device); }

    HRESULT GetTransform(D3DXMATRIX* out) override {
        if (!out) {
            return D3DERR_INVALIDCALL;
        }
        *out = transform;
        return D3D_OK;
    }

    HRESULT SetTransform(const D3DXMATRIX* matrix) override {
        if (!matrix) {
            return D3DERR_INVALIDCALL;
        }
        transform = *matrix;
        return D3D_OK;
    }

    HRESULT Begin(DWORD newFlags) override {
        if (begun) {
            return D3DERR_INVALIDCALL;
        }
        begun = true;
        flags = newFlags;
        if (!(flags & D3DXSPRITE_DONOTSAVESTATE)) {
            states.Save(flags);
        }
        if (!(flags & D3DXSPRITE_DONOTMODIFY_RENDERSTATE)) {
            ApplySpriteStates(device, flags);
        }
        return D3D_OK;
    }

    HRESULT Draw(IDirect3DTexture9* texture, const RECT* sourceRect, const D3DXVECTOR3* center,
                 const D3DXVECTOR3* position, D3DCOLOR color) override {
        D3DSURFACE_DESC desc;
        if (!begun || !texture || texture->GetLevelDesc(0, &desc) != D3D_OK) {
            return D3DERR_INVALIDCALL;
        }
        RECT source = {0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
        if (sourceRect) {
            source = *sourceRect;
        }
        const float width = static_cast<float>(desc.Width);
        const float height = static_cast<float>(desc.Height);
        const float u0 = static_cast<float>(source.left) / width;
        const float v0 = static_cast<float>(source.top) / height;
        const float u1 = static_cast<float>(source.right) / width;
        const float v1 = static_cast<float>(source.bottom) / height;
        const float x0 = (position ? position->x : 0.0f) - (center ? center->x : 0.0f);
        const float y0 = (position ? position->y : 0.0f) - (center ? center->y : 0.0f);
        const float z = (position ? position->z : 0.0f) - (center ? center->z : 0.0f);
        const float x1 = x0 + static_cast<float>(source.right - source.left);
        const float y1 = y0 + static_cast<float>(source.bottom - source.top);
        texture->AddRef();
        queue.push_back(QueuedSprite{texture,
                                     {Corner(transform, x0, y0, z, color, u0, v0),
                                      Corner(transform, x1, y0, z, color, u1, v0),
                                      Corner(transform, x0, y1, z, color, u0, v1),
                                      Corner(transform, x1, y1, z, color, u1, v1)}});
        return D3D_OK;
    }

    HRESULT Flush() override {
        if (!begun) {
            return D3DERR_INVALIDCALL;
        }
        if (queue.empty()) {
            return D3D_OK;
        }
        // The states are Begin's alone: what the caller set since (the additive idiom's ONE
        // destination) holds for every draw of the batch.
        device->SetFVF(kSpriteFvf);
        for (QueuedSprite& sprite : queue) {
            device->SetTexture(0, sprite.texture);
            device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, sprite.corners, sizeof(SpriteVertex));
        }
        ClearQueue();
        return D3D_OK;
    }

    HRESULT End() override {
        if (!begun) {
            return D3DERR_INVALIDCALL;
        }
        Flush();
        begun = false;
        if (!(flags & D3DXSPRITE_DONOTSAVESTATE)) {
            states.Restore();
        }
        return D3D_OK;
    }

  private:
    ~Sprite() override {
        ClearQueue();
        states.Drop();
        deviceObject.Drop();
        device->Release();
    }

    void ClearQueue() {
        for (QueuedSprite& sprite : queue) {
            sprite.texture->Release();
        }
        queue.clear();
    }

    IDirect3DDevice9* device;
    DefaultPoolResource deviceObject;
    bool begun = false;
    DWORD flags = 0;
    D3DXMATRIX transform;
    std::vector<QueuedSprite> queue;
    SavedSpriteStates states;
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
    auto* made = new platform::d3dx9::Sprite(device);
    const HRESULT result = made->Acquire();
    if (result != D3D_OK) {
        made->Release();
        return result;
    }
    *sprite = made;
    return D3D_OK;
}
