// The DirectInput object: version check, the enumeration of game controllers and the creation
// of devices: the system keyboard, the system mouse and the attached game controllers.
#include <cstring>
#include "common/ref_counted.h"

#include "dinput.h"
#include "dinput/joystick_device.h"
#include "dinput/keyboard_device.h"
#include "dinput/mouse_device.h"

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
        if (SameGuid(instance, GUID_SysMouse)) {
            *device = CreateMouseDevice(this);
            return DI_OK;
        }
        *device = CreateJoystickDevice(this, instance);
        return *device ? DI_OK : DIERR_DEVICENOTREG;
    }

    // Only game controllers are listed: the system keyboard and mouse are reached by their
    // fixed GUIDs. Every listed controller is attached, whatever the flags ask.
    HRESULT EnumDevices(DWORD devType, LPDIENUMDEVICESCALLBACKA callback, LPVOID context,
                        DWORD) override {
        if (!callback) {
            return DIERR_INVALIDPARAM;
        }
        if (devType != DI8DEVCLASS_ALL && devType != DI8DEVCLASS_GAMECTRL) {
            return DI_OK;
        }
        for (const DIDEVICEINSTANCEA& joystick : AttachedJoysticks()) {
            if (callback(&joystick, context) == DIENUM_STOP) {
                break;
            }
        }
        return DI_OK;
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
