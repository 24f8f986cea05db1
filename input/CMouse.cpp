// Creating, polling and releasing the DirectInput mouse, and reading the cursor.
#include "input/CMouse.h"

#include <cstring>

#include "frame/SharedContext.h"
#include "input/DirectInputDevices.h"

CMouse* CMouse::GetInstance() {
    static CMouse instance;
    return &instance;
}

CMouse::CMouse()
    : directInput(CreateDirectInput()),
      device(CreateSystemDevice(directInput, GUID_SysMouse, &c_dfDIMouse2,
                                DISCL_NONEXCLUSIVE | DISCL_FOREGROUND)) {}

CMouse::~CMouse() {
    ReleaseDevice(device);
    ReleaseDirectInput(directInput);
}

void CMouse::Update() {
    if (device) {
        device->Acquire();
        std::memcpy(&previous, &current, sizeof current);
        device->GetDeviceState(sizeof current, &current);
    }
    GetCursorPos(&cursorScreen);
    cursorClient = cursorScreen;
    ScreenToClient(SharedContext.hWnd, &cursorClient);
}
