// The DirectInput keyboard: a snapshot of every key by DIK_ code for the current and the
// previous frame step. Polled every frame step; no scene of this game reads it. When DirectInput
// or the device cannot be set up, the object stays usable and its snapshot stays empty.
#pragma once

#include "dinput.h"

class CKeyboard {
  public:
    // The one keyboard, created on the first call, bound to SharedContext's window.
    static CKeyboard* GetInstance();

    CKeyboard();
    ~CKeyboard();
    CKeyboard(const CKeyboard&) = delete;
    CKeyboard& operator=(const CKeyboard&) = delete;

    // Re-acquires the device (it may have been lost), keeps the last snapshot as previous and
    // reads the new one.
    void Update();

    IDirectInput8A* directInput = nullptr;
    IDirectInputDevice8A* device = nullptr;
    BYTE current[256] = {};  // c_dfDIKeyboard layout: bit 7 while down
    BYTE previous[256] = {};
};
