// The objects of a mouse or a game controller (axes, buttons, points of view) and how an
// application's data format places them in its state buffer.
#pragma once

#include <string>
#include <vector>

#include "dinput.h"

namespace platform::dinput {

enum class ObjectKind { Axis, Button, Pov };

struct DeviceObject {
    ObjectKind kind;
    const GUID* guidType;  // GUID_XAxis ... GUID_Slider, GUID_Button, GUID_POV
    DWORD dwType;          // type bits with the instance number
    std::string name;
};

// Where one object's value goes in the application's buffer.
struct FormatSlot {
    DWORD offset;
    size_t object;  // index into the device's object list
};

struct PlacedFormat {
    DWORD dataSize = 0;
    std::vector<FormatSlot> slots;
};

// Places the format's objects on the device's: by kind, GUID (if the format names one) and
// instance number (or the next free object for DIDFT_ANYINSTANCE). A missing object is skipped
// when the format marks it optional and fails the format otherwise.
HRESULT PlaceFormat(LPCDIDATAFORMAT format, const std::vector<DeviceObject>& objects,
                    PlacedFormat* placed);

// Calls back for the objects of the kinds in `flags`; offsets are those of the placed format.
HRESULT EnumerateObjects(const std::vector<DeviceObject>& objects, const PlacedFormat& placed,
                         LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context, DWORD flags);

// The axis object whose dwType is `id`, or -1.
int FindObjectById(const std::vector<DeviceObject>& objects, DWORD id);

}  // namespace platform::dinput
