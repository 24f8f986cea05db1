// The mouse through DirectInput (relative motion, wheel and eight buttons in the DIMOUSESTATE2
// layout, current and previous snapshot) and the cursor through Win32, in screen and in client
// coordinates, not clamped to the window. No scene of this game reads it.
#pragma once

#include "dinput.h"

class CMouse {
  public:
    // The one mouse holder, created on the first call, bound to SharedContext's window.
    static CMouse* GetInstance();

    CMouse();
    ~CMouse();
    CMouse(const CMouse&) = delete;
    CMouse& operator=(const CMouse&) = delete;

    // Re-acquires the device, keeps the last snapshot as previous, reads the new one and the
    // cursor.
    void Update();

    IDirectInput8A* directInput = nullptr;
    IDirectInputDevice8A* device = nullptr;
    DIMOUSESTATE2 current = {};
    DIMOUSESTATE2 previous = {};
    POINT cursorScreen = {0, 0};
    POINT cursorClient = {0, 0};
};
