// The system keyboard device, made by the DirectInput object.
#pragma once

#include "dinput.h"

namespace platform::dinput {

// A new keyboard device holding a reference on `owner`.
IDirectInputDevice8A* CreateKeyboardDevice(IDirectInput8A* owner);

}  // namespace platform::dinput
