// Creating, polling and releasing the DirectInput mouse, and reading the cursor.
#include "input/CMouse.h"

#include <cstring>

#include "frame/SharedContext.h"

CMouse* CMouse::GetInstance() {
    static CMouse instance;
    return &instance;
}

CMouse::CMouse() {
    void* created = nullptr;
    if (FAILED(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A, &created,
                                  nullptr))) {
        return;
    }
    directInput = static_cast<IDirectInput8A*>(created);
    if (FAILED(directInput->CreateDevice(GUID_SysMouse, &device, nullptr))) {
        device = nullptr;
        return;
    }
    // Failures from here on leave a device that simply reports nothing.
    device->SetDataFormat(&c_dfDIMouse2);
    device->SetCooperativeLevel(SharedContext.hWnd, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
    device->Acquire();
}

CMouse::~CMouse() {
    if (device) {
        device->Unacquire();
        device->Release();
        device = nullptr;
    }
    if (directInput) {
        directInput->Release();
        directInput = nullptr;
    }
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
