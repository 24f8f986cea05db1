// SDL's joysticks for the layer: the attached controllers, their state on demand, and virtual
// controllers for the test seam. Joystick events are not queued: the state is read when asked.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "sdl/joystick_backend.h"

namespace platform::sdl {
namespace {

int joystickUsers = 0;
bool virtualOnly = false;

// The seam's own handles on its virtual controllers, by instance id.
std::map<int32_t, SDL_Joystick*>& VirtualHandles() {
    static auto* handles = new std::map<int32_t, SDL_Joystick*>;
    return *handles;
}

int DeviceIndexOf(int32_t instanceId) {
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instanceId) {
            return index;
        }
    }
    return -1;
}

}  // namespace

bool AcquireJoysticks() {
    if (joystickUsers == 0) {
        // Focus is the cooperative level's business, not SDL's.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
            return false;
        }
        SDL_JoystickEventState(SDL_IGNORE);
    }
    ++joystickUsers;
    return true;
}

void ReleaseJoysticks() {
    if (joystickUsers > 0 && --joystickUsers == 0) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
}

void ListVirtualJoysticksOnly() {
    virtualOnly = true;
}

std::vector<JoystickInfo> ListJoysticks() {
    std::vector<JoystickInfo> list;
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) {
        return list;
    }
    SDL_JoystickUpdate();  // notices controllers attached or removed since the last look
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (virtualOnly && !SDL_JoystickIsVirtual(index)) {
            continue;
        }
        JoystickInfo info;
        info.instanceId = SDL_JoystickGetDeviceInstanceID(index);
        const char* name = SDL_JoystickNameForIndex(index);
        info.name = name ? name : "";
        SDL_JoystickGUID guid = SDL_JoystickGetDeviceGUID(index);
        std::memcpy(info.productGuid, guid.data, sizeof info.productGuid);
        // The counts need the controller open for a moment.
        if (SDL_Joystick* joystick = SDL_JoystickOpen(index)) {
            info.axes = SDL_JoystickNumAxes(joystick);
            info.buttons = SDL_JoystickNumButtons(joystick);
            info.hats = SDL_JoystickNumHats(joystick);
            SDL_JoystickClose(joystick);
        }
        list.push_back(info);
    }
    return list;
}

uintptr_t OpenJoystick(int32_t instanceId) {
    if (!SDL_WasInit(SDL_INIT_JOYSTICK)) {
        return 0;
    }
    int index = DeviceIndexOf(instanceId);
    return index < 0 ? 0 : reinterpret_cast<uintptr_t>(SDL_JoystickOpen(index));
}

void CloseJoystick(uintptr_t joystick) {
    if (joystick && SDL_WasInit(SDL_INIT_JOYSTICK)) {
        SDL_JoystickClose(reinterpret_cast<SDL_Joystick*>(joystick));
    }
}

bool ReadJoystick(uintptr_t handle, JoystickReading* reading) {
    auto* joystick = reinterpret_cast<SDL_Joystick*>(handle);
    if (!joystick || !SDL_WasInit(SDL_INIT_JOYSTICK)) {
        return false;
    }
    SDL_JoystickUpdate();
    if (!SDL_JoystickGetAttached(joystick)) {
        return false;
    }
    reading->axes.resize(static_cast<size_t>(std::max(0, SDL_JoystickNumAxes(joystick))));
    for (size_t axis = 0; axis < reading->axes.size(); ++axis) {
        reading->axes[axis] = SDL_JoystickGetAxis(joystick, static_cast<int>(axis));
    }
    reading->buttons.resize(static_cast<size_t>(std::max(0, SDL_JoystickNumButtons(joystick))));
    for (size_t button = 0; button < reading->buttons.size(); ++button) {
        reading->buttons[button] = SDL_JoystickGetButton(joystick, static_cast<int>(button)) != 0;
    }
    reading->hats.resize(static_cast<size_t>(std::max(0, SDL_JoystickNumHats(joystick))));
    for (size_t hat = 0; hat < reading->hats.size(); ++hat) {
        reading->hats[hat] = SDL_JoystickGetHat(joystick, static_cast<int>(hat));
    }
    return true;
}

int32_t AttachVirtualJoystick(const std::string& name, int axes, int buttons, int hats) {
    if (!AcquireJoysticks()) {
        return -1;
    }
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = static_cast<Uint16>(axes);
    desc.nbuttons = static_cast<Uint16>(buttons);
    desc.nhats = static_cast<Uint16>(hats);
    desc.name = name.c_str();
    int index = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick* joystick = index < 0 ? nullptr : SDL_JoystickOpen(index);
    if (!joystick) {
        ReleaseJoysticks();
        return -1;
    }
    int32_t instanceId = SDL_JoystickInstanceID(joystick);
    VirtualHandles()[instanceId] = joystick;
    return instanceId;
}

void SetVirtualJoystickAxis(int32_t instanceId, int axis, int16_t value) {
    auto found = VirtualHandles().find(instanceId);
    if (found != VirtualHandles().end()) {
        SDL_JoystickSetVirtualAxis(found->second, axis, value);
    }
}

void SetVirtualJoystickButton(int32_t instanceId, int button, bool down) {
    auto found = VirtualHandles().find(instanceId);
    if (found != VirtualHandles().end()) {
        SDL_JoystickSetVirtualButton(found->second, button, down ? SDL_PRESSED : SDL_RELEASED);
    }
}

void DetachVirtualJoystick(int32_t instanceId) {
    auto found = VirtualHandles().find(instanceId);
    if (found == VirtualHandles().end()) {
        return;
    }
    SDL_JoystickClose(found->second);
    VirtualHandles().erase(found);
    int index = DeviceIndexOf(instanceId);
    if (index >= 0) {
        SDL_JoystickDetachVirtual(index);
    }
    ReleaseJoysticks();
}

}  // namespace platform::sdl
