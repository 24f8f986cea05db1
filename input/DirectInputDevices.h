// What the keyboard, mouse and joystick holders share: the DirectInput object, a system device
// set up for the game's window, and their release.
#pragma once

#include "dinput.h"

// The DirectInput 8 object of this module, or null when it cannot be made.
IDirectInput8A* CreateDirectInput();

// The system device `guid` with its data format and cooperative level set and acquired; null
// when it cannot be created. Later failures leave a device that simply reports nothing.
IDirectInputDevice8A* CreateSystemDevice(IDirectInput8A* directInput, REFGUID guid,
                                         const DIDATAFORMAT* format, DWORD cooperativeLevel);

// Unacquires and releases a device, if any, and clears the pointer.
void ReleaseDevice(IDirectInputDevice8A*& device);

// Releases the DirectInput object, if any, and clears the pointer.
void ReleaseDirectInput(IDirectInput8A*& directInput);
