// The layer's narrow seam to SDL's joysticks: list the attached game controllers, open one,
// read its axes, buttons and hats, and (for the test seam) attach virtual ones. Plain types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::sdl {

// Starts SDL's joystick subsystem (once per user); false when it cannot start. Each successful
// call is matched by ReleaseJoysticks; the subsystem stops with its last user.
bool AcquireJoysticks();
void ReleaseJoysticks();

struct JoystickInfo {
    int32_t instanceId = -1;  // stays the same while the controller is attached
    std::string name;
    uint8_t productGuid[16] = {};
    int axes = 0;
    int buttons = 0;
    int hats = 0;
};

// The attached controllers in SDL's order.
std::vector<JoystickInfo> ListJoysticks();

// An open controller, 0 when it cannot be opened (or is gone).
uintptr_t OpenJoystick(int32_t instanceId);
void CloseJoystick(uintptr_t joystick);

// Hat positions as bit sets: 1 up, 2 right, 4 down, 8 left.
struct JoystickReading {
    std::vector<int16_t> axes;  // -32768..32767
    std::vector<bool> buttons;
    std::vector<uint8_t> hats;
};

// The controller's state now; false when it is no longer attached.
bool ReadJoystick(uintptr_t joystick, JoystickReading* reading);

// From now on only virtual controllers are listed, so that tests see exactly the ones they
// attach whatever is plugged into the machine (test seam).
void ListVirtualJoysticksOnly();

// A virtual controller (test seam): its instance id, or -1 when SDL cannot make one.
int32_t AttachVirtualJoystick(const std::string& name, int axes, int buttons, int hats);
void SetVirtualJoystickAxis(int32_t instanceId, int axis, int16_t value);
void SetVirtualJoystickButton(int32_t instanceId, int button, bool down);
void DetachVirtualJoystick(int32_t instanceId);

}  // namespace platform::sdl
