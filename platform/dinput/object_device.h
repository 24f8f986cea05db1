// What the mouse and the game controllers share: the DirectInput object they hold, their list
// of objects, the placed data format, the cooperative level and acquisition.
#pragma once

#include <vector>

#include "common/ref_counted.h"
#include "dinput.h"
#include "dinput/cooperation.h"
#include "dinput/device_objects.h"

namespace platform::dinput {

class ObjectDevice : public RefCounted<IDirectInputDevice8A> {
  public:
    HRESULT EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context,
                        DWORD flags) override {
        return EnumerateObjects(objects, placed, callback, context, flags);
    }

    HRESULT Acquire() override {
        if (!formatSet) {
            return DIERR_INVALIDPARAM;
        }
        HRESULT result = cooperation.Acquire();
        if (result == DI_OK) {
            OnAcquired();
        }
        return result;
    }

    HRESULT Unacquire() override { return cooperation.Unacquire(); }

    HRESULT SetDataFormat(LPCDIDATAFORMAT format) override {
        if (cooperation.Acquired()) {
            return DIERR_ACQUIRED;
        }
        HRESULT result = PlaceFormat(format, objects, &placed);
        if (result == DI_OK) {
            formatSet = true;
        }
        return result;
    }

    HRESULT SetCooperativeLevel(HWND hwnd, DWORD flags) override {
        return cooperation.SetLevel(hwnd, flags, cooperation.Acquired(),
                                    exclusiveBackgroundAllowed);
    }

  protected:
    ObjectDevice(IDirectInput8A* owner, bool exclusiveBackgroundAllowed)
        : owner(owner), exclusiveBackgroundAllowed(exclusiveBackgroundAllowed) {
        owner->AddRef();
    }
    ~ObjectDevice() override { owner->Release(); }

    // Called when an Acquire succeeds from the unacquired state.
    virtual void OnAcquired() {}

    // The checks every GetDeviceState makes before the device reads its state.
    HRESULT CheckStateRequest(DWORD size, LPVOID data) {
        if (!data) {
            return DIERR_INVALIDPARAM;
        }
        HRESULT acquired = cooperation.CheckAcquired();
        if (acquired != DI_OK) {
            return acquired;
        }
        return size == placed.dataSize ? DI_OK : DIERR_INVALIDPARAM;
    }

    IDirectInput8A* owner;
    std::vector<DeviceObject> objects;
    PlacedFormat placed;
    Cooperation cooperation;

  private:
    bool exclusiveBackgroundAllowed;
    bool formatSet = false;
};

}  // namespace platform::dinput
