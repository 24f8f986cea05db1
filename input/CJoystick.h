// Up to four game controllers through DirectInput: each slot's current and previous snapshot
// in the DIJOYSTATE2 layout, axes set to -AXIS_RANGE..AXIS_RANGE with 0 at the centre.
// Controllers are found once, when the object is made; no scene of this game reads them.
#pragma once

#include "dinput.h"

class CJoystick {
  public:
    static constexpr int JOYSTICK_MAX = 4;
    static constexpr LONG AXIS_RANGE = 32767;

    // The one joystick holder, created on the first call, bound to SharedContext's window.
    static CJoystick* GetInstance();

    CJoystick();
    ~CJoystick();
    CJoystick(const CJoystick&) = delete;
    CJoystick& operator=(const CJoystick&) = delete;

    // Every filled slot: acquire (again after the window came back to the front), keep the
    // last snapshot as previous, read the new one.
    void Update();

    IDirectInput8A* directInput = nullptr;
    IDirectInputDevice8A* devices[JOYSTICK_MAX] = {};  // filled from slot 0 up
    DIJOYSTATE2 current[JOYSTICK_MAX] = {};
    DIJOYSTATE2 previous[JOYSTICK_MAX] = {};
};

// The enumeration callbacks of the set-up; `context` is the CJoystick.
BOOL CALLBACK EnumJoysticksCallback(LPCDIDEVICEINSTANCEA instance, LPVOID context);
BOOL CALLBACK EnumAxesCallback(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID context);
