// The system mouse: three relative axes (motion and wheel since the last read, the wheel in
// WHEEL_DELTA units of 120 a notch) and eight buttons (left, right, middle, then the extras),
// from the pointer events the desktop delivered so far.
#include "dinput/mouse_device.h"

#include <cstring>

#include "dinput/object_device.h"
#include "sdl/backend.h"

namespace platform::dinput {
namespace {

constexpr LONG kWheelDelta = 120;
// SDL's button bits for DirectInput's buttons 0 to 7.
constexpr int kSdlButtonBits[8] = {0, 2, 1, 3, 4, 5, 6, 7};

class MouseDevice final : public ObjectDevice {
  public:
    explicit MouseDevice(IDirectInput8A* owner) : ObjectDevice(owner, false) {
        const GUID* axes[3] = {&GUID_XAxis, &GUID_YAxis, &GUID_ZAxis};
        const char* axisNames[3] = {"X-axis", "Y-axis", "Wheel"};
        for (int axis = 0; axis < 3; ++axis) {
            objects.push_back({ObjectKind::Axis, axes[axis],
                               static_cast<DWORD>(DIDFT_RELAXIS | DIDFT_MAKEINSTANCE(axis)),
                               axisNames[axis]});
        }
        for (int button = 0; button < 8; ++button) {
            objects.push_back({ObjectKind::Button, &GUID_Button,
                               static_cast<DWORD>(DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(button)),
                               "Button " + std::to_string(button)});
        }
    }

    HRESULT GetCapabilities(LPDIDEVCAPS caps) override {
        if (!caps || caps->dwSize != sizeof(DIDEVCAPS)) {
            return DIERR_INVALIDPARAM;
        }
        std::memset(caps, 0, sizeof *caps);
        caps->dwSize = sizeof *caps;
        caps->dwFlags = DIDC_ATTACHED;
        caps->dwDevType = DI8DEVTYPE_MOUSE;
        caps->dwAxes = 3;
        caps->dwButtons = 8;
        return DI_OK;
    }

    // A mouse's axes are relative: they have no range to set.
    HRESULT SetProperty(REFGUID, LPCDIPROPHEADER header) override {
        return header ? DIERR_UNSUPPORTED : DIERR_INVALIDPARAM;
    }

    HRESULT GetDeviceState(DWORD size, LPVOID data) override {
        HRESULT check = CheckStateRequest(size, data);
        if (check != DI_OK) {
            return check;
        }
        const sdl::MouseTotals& mouse = sdl::Mouse();
        LONG values[3] = {static_cast<LONG>(mouse.motionX - lastX),
                          static_cast<LONG>(mouse.motionY - lastY),
                          static_cast<LONG>((mouse.wheelSteps - lastWheel) * kWheelDelta)};
        NoteTotals();
        auto* bytes = static_cast<BYTE*>(data);
        std::memset(bytes, 0, size);
        for (const FormatSlot& slot : placed.slots) {
            if (slot.object < 3) {
                std::memcpy(bytes + slot.offset, &values[slot.object], sizeof(LONG));
            } else {
                int bit = kSdlButtonBits[slot.object - 3];
                bytes[slot.offset] = (mouse.buttonsDown >> bit) & 1 ? 0x80 : 0;
            }
        }
        return DI_OK;
    }

  private:
    // Motion counts from the acquisition on.
    void OnAcquired() override { NoteTotals(); }

    void NoteTotals() {
        const sdl::MouseTotals& mouse = sdl::Mouse();
        lastX = mouse.motionX;
        lastY = mouse.motionY;
        lastWheel = mouse.wheelSteps;
    }

    int64_t lastX = 0;
    int64_t lastY = 0;
    int64_t lastWheel = 0;
};

}  // namespace

IDirectInputDevice8A* CreateMouseDevice(IDirectInput8A* owner) {
    return new MouseDevice(owner);
}

}  // namespace platform::dinput
