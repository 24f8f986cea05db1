// Game controllers over SDL's joysticks: axes scaled from SDL's -32768..32767 onto the range
// set with DIPROP_RANGE (0..65535 until then), buttons with bit 7 while down, hats as points of
// view in hundredths of a degree clockwise from up (0xFFFFFFFF when centred).
#include "dinput/joystick_device.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "dinput/object_device.h"
#include "sdl/joystick_backend.h"
#include "seam/hooks.h"

namespace platform::dinput {
namespace {

constexpr int kMaxAxes = 8;
constexpr int kMaxButtons = 128;
constexpr int kMaxPovs = 4;
const GUID* const kAxisGuids[kMaxAxes] = {&GUID_XAxis,  &GUID_YAxis,  &GUID_ZAxis,  &GUID_RxAxis,
                                          &GUID_RyAxis, &GUID_RzAxis, &GUID_Slider, &GUID_Slider};
const char* const kAxisNames[kMaxAxes] = {"X Axis",     "Y Axis",     "Z Axis", "X Rotation",
                                          "Y Rotation", "Z Rotation", "Slider", "Slider"};

// Our instance GUIDs: the SDL instance id in the first field, a fixed tail.
GUID InstanceGuid(int32_t instanceId) {
    return GUID{
        static_cast<DWORD>(instanceId), 0x4A53, 0x11EF, {0x80, 0x00, 'P', 'O', 'K', 'U', 'J', 'S'}};
}

bool IsOurInstanceGuid(const GUID& guid, int32_t* instanceId) {
    GUID expected = InstanceGuid(static_cast<int32_t>(guid.Data1));
    if (std::memcmp(&expected, &guid, sizeof guid) != 0) {
        return false;
    }
    *instanceId = static_cast<int32_t>(guid.Data1);
    return true;
}

DIDEVICEINSTANCEA Describe(const sdl::JoystickInfo& info) {
    DIDEVICEINSTANCEA instance = {};
    instance.dwSize = sizeof instance;
    instance.guidInstance = InstanceGuid(info.instanceId);
    std::memcpy(&instance.guidProduct, info.productGuid, sizeof(GUID));
    instance.dwDevType = DI8DEVTYPE_JOYSTICK;
    std::strncpy(instance.tszInstanceName, info.name.c_str(), MAX_PATH - 1);
    std::strncpy(instance.tszProductName, info.name.c_str(), MAX_PATH - 1);
    instance.wUsagePage = 0x01;  // generic desktop
    instance.wUsage = 0x04;      // joystick
    return instance;
}

DWORD PovFromHat(uint8_t hat) {
    switch (hat) {
        case 1:
            return 0;
        case 1 | 2:
            return 4500;
        case 2:
            return 9000;
        case 4 | 2:
            return 13500;
        case 4:
            return 18000;
        case 4 | 8:
            return 22500;
        case 8:
            return 27000;
        case 1 | 8:
            return 31500;
        default:
            return 0xFFFFFFFF;
    }
}

struct Range {
    LONG min = 0;
    LONG max = 65535;
};

// SDL's raw value placed linearly on the range, rounded to the nearest step.
LONG Scale(int16_t raw, const Range& range) {
    int64_t span = int64_t{range.max} - range.min;
    int64_t offset = int64_t{raw} + 32768;
    return static_cast<LONG>(range.min + (offset * span * 2 + 65535) / (2 * 65535));
}

class JoystickDevice final : public ObjectDevice {
  public:
    JoystickDevice(IDirectInput8A* owner, const sdl::JoystickInfo& info, uintptr_t handle)
        : ObjectDevice(owner, true), handle(handle) {
        int axes = std::min(info.axes, kMaxAxes);
        for (int axis = 0; axis < axes; ++axis) {
            objects.push_back({ObjectKind::Axis, kAxisGuids[axis],
                               static_cast<DWORD>(DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(axis)),
                               kAxisNames[axis]});
        }
        ranges.resize(static_cast<size_t>(axes));
        for (int button = 0; button < std::min(info.buttons, kMaxButtons); ++button) {
            objects.push_back({ObjectKind::Button, &GUID_Button,
                               static_cast<DWORD>(DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(button)),
                               "Button " + std::to_string(button)});
        }
        for (int pov = 0; pov < std::min(info.hats, kMaxPovs); ++pov) {
            objects.push_back({ObjectKind::Pov, &GUID_POV,
                               static_cast<DWORD>(DIDFT_POV | DIDFT_MAKEINSTANCE(pov)),
                               "Hat Switch " + std::to_string(pov)});
        }
        axisCount = axes;
        buttonCount = std::min(info.buttons, kMaxButtons);
        povCount = std::min(info.hats, kMaxPovs);
    }

    HRESULT GetCapabilities(LPDIDEVCAPS caps) override {
        if (!caps || caps->dwSize != sizeof(DIDEVCAPS)) {
            return DIERR_INVALIDPARAM;
        }
        if (seam::ShouldFail(seam::Failure::JoystickCapabilities)) {
            return DIERR_GENERIC;
        }
        std::memset(caps, 0, sizeof *caps);
        caps->dwSize = sizeof *caps;
        caps->dwFlags = DIDC_ATTACHED;
        caps->dwDevType = DI8DEVTYPE_JOYSTICK;
        caps->dwAxes = static_cast<DWORD>(axisCount);
        caps->dwButtons = static_cast<DWORD>(buttonCount);
        caps->dwPOVs = static_cast<DWORD>(povCount);
        return DI_OK;
    }

    HRESULT SetProperty(REFGUID property, LPCDIPROPHEADER header) override {
        if (!header || reinterpret_cast<uintptr_t>(&property) != 4 ||
            header->dwSize != sizeof(DIPROPRANGE) || header->dwHeaderSize != sizeof(DIPROPHEADER)) {
            return header ? DIERR_UNSUPPORTED : DIERR_INVALIDPARAM;
        }
        const auto* range = reinterpret_cast<const DIPROPRANGE*>(header);
        if (range->lMin >= range->lMax) {
            return DIERR_INVALIDPARAM;
        }
        if (cooperation.Acquired()) {
            return DIERR_ACQUIRED;
        }
        if (header->dwHow == DIPH_DEVICE && header->dwObj == 0) {
            for (Range& axis : ranges) {
                axis = Range{range->lMin, range->lMax};
            }
            return DI_OK;
        }
        if (header->dwHow != DIPH_BYID) {
            return DIERR_UNSUPPORTED;
        }
        int object = FindObjectById(objects, header->dwObj);
        if (object < 0 || objects[object].kind != ObjectKind::Axis) {
            return DIERR_OBJECTNOTFOUND;
        }
        ranges[static_cast<size_t>(object)] = Range{range->lMin, range->lMax};
        return DI_OK;
    }

    HRESULT GetDeviceState(DWORD size, LPVOID data) override {
        HRESULT check = CheckStateRequest(size, data);
        if (check != DI_OK) {
            return check;
        }
        sdl::JoystickReading reading;
        if (!sdl::ReadJoystick(handle, &reading)) {
            return DIERR_INPUTLOST;  // unplugged
        }
        auto* bytes = static_cast<BYTE*>(data);
        std::memset(bytes, 0, size);
        for (const FormatSlot& slot : placed.slots) {
            Write(slot, reading, bytes + slot.offset);
        }
        return DI_OK;
    }

  private:
    ~JoystickDevice() override {
        sdl::CloseJoystick(handle);
        sdl::ReleaseJoysticks();
    }

    void Write(const FormatSlot& slot, const sdl::JoystickReading& reading, BYTE* out) const {
        const DeviceObject& object = objects[slot.object];
        size_t instance = DIDFT_GETINSTANCE(object.dwType);
        if (object.kind == ObjectKind::Axis) {
            int16_t raw = instance < reading.axes.size() ? reading.axes[instance] : 0;
            LONG value = Scale(raw, ranges[slot.object]);
            std::memcpy(out, &value, sizeof value);
        } else if (object.kind == ObjectKind::Button) {
            *out = instance < reading.buttons.size() && reading.buttons[instance] ? 0x80 : 0;
        } else {
            DWORD pov = PovFromHat(instance < reading.hats.size() ? reading.hats[instance] : 0);
            std::memcpy(out, &pov, sizeof pov);
        }
    }

    uintptr_t handle;
    std::vector<Range> ranges;  // by object index; axes come first
    int axisCount = 0;
    int buttonCount = 0;
    int povCount = 0;
};

}  // namespace

std::vector<DIDEVICEINSTANCEA> AttachedJoysticks() {
    std::vector<DIDEVICEINSTANCEA> attached;
    if (!sdl::AcquireJoysticks()) {
        return attached;
    }
    for (const sdl::JoystickInfo& info : sdl::ListJoysticks()) {
        attached.push_back(Describe(info));
    }
    sdl::ReleaseJoysticks();
    return attached;
}

IDirectInputDevice8A* CreateJoystickDevice(IDirectInput8A* owner, const GUID& instance) {
    int32_t instanceId = -1;
    if (!IsOurInstanceGuid(instance, &instanceId) || !sdl::AcquireJoysticks()) {
        return nullptr;
    }
    for (const sdl::JoystickInfo& info : sdl::ListJoysticks()) {
        if (info.instanceId != instanceId) {
            continue;
        }
        uintptr_t handle = sdl::OpenJoystick(instanceId);
        if (!handle) {
            break;
        }
        return new JoystickDevice(owner, info, handle);
    }
    sdl::ReleaseJoysticks();
    return nullptr;
}

}  // namespace platform::dinput
