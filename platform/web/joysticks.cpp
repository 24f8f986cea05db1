// The browser's game controllers for the layer: none yet (the Gamepad API is not read), so
// DirectInput lists no joystick; virtual ones for tests are not offered either.
#include "sdl/joystick_backend.h"

namespace platform::sdl {

bool AcquireJoysticks() {
    return true;
}

void ReleaseJoysticks() {}

std::vector<JoystickInfo> ListJoysticks() {
    return {};
}

uintptr_t OpenJoystick(int32_t) {
    return 0;
}

void CloseJoystick(uintptr_t) {}

bool ReadJoystick(uintptr_t, JoystickReading*) {
    return false;
}

void ListVirtualJoysticksOnly() {}

int32_t AttachVirtualJoystick(const std::string&, int, int, int) {
    return -1;
}

void SetVirtualJoystickAxis(int32_t, int, int16_t) {}
void SetVirtualJoystickButton(int32_t, int, bool) {}
void DetachVirtualJoystick(int32_t) {}

}  // namespace platform::sdl
