// Matching data-format objects to device objects, and enumerating the objects.
#include "dinput/device_objects.h"

#include <cstring>

namespace platform::dinput {
namespace {

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

bool KindMatches(const DIOBJECTDATAFORMAT& wanted, const DeviceObject& object) {
    switch (object.kind) {
        case ObjectKind::Axis:
            return (wanted.dwType & DIDFT_AXIS) != 0;
        case ObjectKind::Button:
            return (wanted.dwType & DIDFT_BUTTON) != 0;
        case ObjectKind::Pov:
            return (wanted.dwType & DIDFT_POV) != 0;
    }
    return false;
}

bool Matches(const DIOBJECTDATAFORMAT& wanted, const DeviceObject& object) {
    if (!KindMatches(wanted, object)) {
        return false;
    }
    if (wanted.pguid && !SameGuid(*wanted.pguid, *object.guidType)) {
        return false;
    }
    DWORD instance = (wanted.dwType & DIDFT_ANYINSTANCE) >> 8;
    return instance == 0xFFFF || instance == DIDFT_GETINSTANCE(object.dwType);
}

DWORD SizeOf(ObjectKind kind) {
    return kind == ObjectKind::Button ? 1 : 4;
}

}  // namespace

HRESULT PlaceFormat(LPCDIDATAFORMAT format, const std::vector<DeviceObject>& objects,
                    PlacedFormat* placed) {
    if (!format || format->dwSize != sizeof(DIDATAFORMAT) ||
        format->dwObjSize != sizeof(DIOBJECTDATAFORMAT) || format->dwDataSize == 0 ||
        format->dwDataSize % 4 != 0 || (format->dwNumObjs > 0 && !format->rgodf)) {
        return DIERR_INVALIDPARAM;
    }
    PlacedFormat result;
    result.dataSize = format->dwDataSize;
    std::vector<bool> used(objects.size(), false);
    for (DWORD i = 0; i < format->dwNumObjs; ++i) {
        const DIOBJECTDATAFORMAT& wanted = format->rgodf[i];
        size_t found = objects.size();
        for (size_t candidate = 0; candidate < objects.size(); ++candidate) {
            if (!used[candidate] && Matches(wanted, objects[candidate])) {
                found = candidate;
                break;
            }
        }
        if (found == objects.size()) {
            if (wanted.dwType & DIDFT_OPTIONAL) {
                continue;
            }
            return DIERR_INVALIDPARAM;
        }
        if (wanted.dwOfs > format->dwDataSize ||
            format->dwDataSize - wanted.dwOfs < SizeOf(objects[found].kind)) {
            return DIERR_INVALIDPARAM;
        }
        used[found] = true;
        result.slots.push_back({wanted.dwOfs, found});
    }
    *placed = std::move(result);
    return DI_OK;
}

HRESULT EnumerateObjects(const std::vector<DeviceObject>& objects, const PlacedFormat& placed,
                         LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context, DWORD flags) {
    if (!callback) {
        return DIERR_INVALIDPARAM;
    }
    for (size_t index = 0; index < objects.size(); ++index) {
        const DeviceObject& object = objects[index];
        DWORD kinds = flags & (DIDFT_AXIS | DIDFT_BUTTON | DIDFT_POV);
        if (kinds != DIDFT_ALL && !(object.dwType & kinds)) {
            continue;
        }
        DIDEVICEOBJECTINSTANCEA instance = {};
        instance.dwSize = sizeof instance;
        instance.guidType = *object.guidType;
        for (const FormatSlot& slot : placed.slots) {
            if (slot.object == index) {
                instance.dwOfs = slot.offset;
            }
        }
        instance.dwType = object.dwType;
        instance.dwFlags = object.kind == ObjectKind::Axis ? DIDOI_ASPECTPOSITION : 0;
        std::strncpy(instance.tszName, object.name.c_str(), sizeof instance.tszName - 1);
        if (callback(&instance, context) == DIENUM_STOP) {
            break;
        }
    }
    return DI_OK;
}

int FindObjectById(const std::vector<DeviceObject>& objects, DWORD id) {
    for (size_t index = 0; index < objects.size(); ++index) {
        if (objects[index].dwType == id) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

}  // namespace platform::dinput
