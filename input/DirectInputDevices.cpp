// The DirectInput object and system devices of the input holders.
#include "input/DirectInputDevices.h"

#include "frame/SharedContext.h"

IDirectInput8A* CreateDirectInput() {
    void* created = nullptr;
    if (FAILED(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A, &created,
                                  nullptr))) {
        return nullptr;
    }
    return static_cast<IDirectInput8A*>(created);
}

IDirectInputDevice8A* CreateSystemDevice(IDirectInput8A* directInput, REFGUID guid,
                                         const DIDATAFORMAT* format, DWORD cooperativeLevel) {
    IDirectInputDevice8A* device = nullptr;
    if (!directInput || FAILED(directInput->CreateDevice(guid, &device, nullptr))) {
        return nullptr;
    }
    device->SetDataFormat(format);
    device->SetCooperativeLevel(SharedContext.hWnd, cooperativeLevel);
    device->Acquire();
    return device;
}

void ReleaseDevice(IDirectInputDevice8A*& device) {
    if (device) {
        device->Unacquire();
        device->Release();
        device = nullptr;
    }
}

void ReleaseDirectInput(IDirectInput8A*& directInput) {
    if (directInput) {
        directInput->Release();
        directInput = nullptr;
    }
}
