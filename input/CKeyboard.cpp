// Creating, polling and releasing the DirectInput keyboard.
#include "input/CKeyboard.h"

#include <cstring>

#include "frame/SharedContext.h"

CKeyboard* CKeyboard::GetInstance() {
    static CKeyboard instance;
    return &instance;
}

CKeyboard::CKeyboard() {
    void* created = nullptr;
    if (FAILED(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A, &created,
                                  nullptr))) {
        return;
    }
    directInput = static_cast<IDirectInput8A*>(created);
    if (FAILED(directInput->CreateDevice(GUID_SysKeyboard, &device, nullptr))) {
        device = nullptr;
        return;
    }
    // Failures from here on leave a device that simply reports nothing.
    device->SetDataFormat(&c_dfDIKeyboard);
    // Background: the keyboard is read also while the window is not in front.
    device->SetCooperativeLevel(SharedContext.hWnd, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
    device->Acquire();
}

CKeyboard::~CKeyboard() {
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

void CKeyboard::Update() {
    if (!device) {
        return;
    }
    device->Acquire();
    std::memcpy(previous, current, sizeof current);
    device->GetDeviceState(sizeof current, current);
}
