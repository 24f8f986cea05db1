// The system mouse device, made by the DirectInput object.
#pragma once

#include "dinput.h"

namespace platform::dinput {

// A new mouse device holding a reference on `owner`.
IDirectInputDevice8A* CreateMouseDevice(IDirectInput8A* owner);

}  // namespace platform::dinput
