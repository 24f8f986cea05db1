// Creating, polling and releasing the DirectInput keyboard.
#include "input/CKeyboard.h"

#include <cstring>

#include "input/DirectInputDevices.h"

CKeyboard* CKeyboard::GetInstance() {
    static CKeyboard instance;
    return &instance;
}

// Background: the keyboard is read also while the window is not in front.
CKeyboard::CKeyboard()
    : directInput(CreateDirectInput()),
      device(CreateSystemDevice(directInput, GUID_SysKeyboard, &c_dfDIKeyboard,
                                DISCL_NONEXCLUSIVE | DISCL_BACKGROUND)) {}

CKeyboard::~CKeyboard() {
    ReleaseDevice(device);
    ReleaseDirectInput(directInput);
}

void CKeyboard::Update() {
    if (!device) {
        return;
    }
    device->Acquire();
    std::memcpy(previous, current, sizeof current);
    device->GetDeviceState(sizeof current, current);
}
