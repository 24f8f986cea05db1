// Game controllers: the ones attached now, as DirectInput describes them, and their devices.
#pragma once

#include <vector>

#include "dinput.h"

namespace platform::dinput {

// Every attached controller, in SDL's order; the application decides how many it takes.
std::vector<DIDEVICEINSTANCEA> AttachedJoysticks();

// A new device for the controller whose instance GUID is `instance`, holding a reference on
// `owner`; null when no attached controller has that GUID.
IDirectInputDevice8A* CreateJoystickDevice(IDirectInput8A* owner, const GUID& instance);

}  // namespace platform::dinput
