// The DirectInput object: version check and the creation of devices. Only the system keyboard
// exists here; other devices are not registered.
#include <cstring>
#include "common/ref_counted.h"

#include "dinput.h"
#include "dinput/keyboard_device.h"

namespace platform::dinput {
namespace {

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

class DirectInput final : public RefCounted<IDirectInput8A> {
  public:
    HRESULT CreateDevice(REFGUID instance, LPDIRECTINPUTDEVICE8A* device,
                         IUnknown* outer) override {
        if (!device) {
            return DIERR_INVALIDPARAM;
        }
        *device = nullptr;
        if (outer) {
            return DIERR_NOAGGREGATION;
        }
        if (SameGuid(instance, GUID_SysKeyboard)) {
            *device = CreateKeyboardDevice(this);
            return DI_OK;
        }
        return DIERR_DEVICENOTREG;
    }

  private:
    ~DirectInput() = default;
};

}  // namespace
}  // namespace platform::dinput

HRESULT WINAPI DirectInput8Create(HINSTANCE instance, DWORD version, REFIID interfaceId,
                                  LPVOID* out, IUnknown* outer) {
    if (!out) {
        return DIERR_INVALIDPARAM;
    }
    *out = nullptr;
    if (outer) {
        return DIERR_NOAGGREGATION;
    }
    if (!instance) {
        return DIERR_INVALIDPARAM;
    }
    if (version < DIRECTINPUT_VERSION) {
        return DIERR_OLDDIRECTINPUTVERSION;
    }
    if (version > DIRECTINPUT_VERSION) {
        return DIERR_BETADIRECTINPUTVERSION;
    }
    if (std::memcmp(&interfaceId, &IID_IDirectInput8A, sizeof(GUID)) != 0) {
        return DIERR_NOINTERFACE;
    }
    IDirectInput8A* directInput = new platform::dinput::DirectInput();
    *out = directInput;
    return DI_OK;
}
