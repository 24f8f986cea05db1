// Finding, setting up, polling and releasing the game controllers.
#include "input/CJoystick.h"

#include <cstring>

#include "frame/SharedContext.h"
#include "input/DirectInputDevices.h"

CJoystick* CJoystick::GetInstance() {
    static CJoystick instance;
    return &instance;
}

CJoystick::CJoystick() {
    directInput = CreateDirectInput();
    if (!directInput) {
        return;
    }
    directInput->EnumDevices(DI8DEVCLASS_GAMECTRL, EnumJoysticksCallback, this,
                             DIEDFL_ATTACHEDONLY);
    // Not acquired here: the first poll does it.
    for (int slot = 0; slot < JOYSTICK_MAX && devices[slot]; ++slot) {
        devices[slot]->SetDataFormat(&c_dfDIJoystick2);
        devices[slot]->SetCooperativeLevel(SharedContext.hWnd,
                                           DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
        devices[slot]->EnumObjects(EnumAxesCallback, this, DIDFT_ALL);
    }
}

CJoystick::~CJoystick() {
    for (IDirectInputDevice8A*& device : devices) {
        ReleaseDevice(device);
    }
    ReleaseDirectInput(directInput);
}

void CJoystick::Update() {
    for (int slot = 0; slot < JOYSTICK_MAX; ++slot) {
        if (!devices[slot]) {
            continue;
        }
        devices[slot]->Acquire();
        std::memcpy(&previous[slot], &current[slot], sizeof current[slot]);
        devices[slot]->GetDeviceState(sizeof current[slot], &current[slot]);
    }
}

BOOL CALLBACK EnumJoysticksCallback(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
    auto* joystick = static_cast<CJoystick*>(context);
    int slot = 0;
    while (slot < CJoystick::JOYSTICK_MAX && joystick->devices[slot]) {
        ++slot;
    }
    if (slot == CJoystick::JOYSTICK_MAX) {
        return DIENUM_STOP;  // a fifth controller is ignored
    }
    IDirectInputDevice8A*& device = joystick->devices[slot];
    if (FAILED(joystick->directInput->CreateDevice(instance->guidInstance, &device, nullptr))) {
        device = nullptr;
        MessageBoxA(nullptr, "ジョイスティックのインターフェイスの取得に失敗しました", "Input",
                    MB_OK);
        return DIENUM_CONTINUE;
    }
    DIDEVCAPS capabilities = {};
    capabilities.dwSize = sizeof capabilities;
    if (FAILED(device->GetCapabilities(&capabilities))) {
        // The slot is left for the next controller.
        device->Release();
        device = nullptr;
        MessageBoxA(nullptr, "ジョイスティックの能力を調べられませんでした", "Input", MB_OK);
        return DIENUM_CONTINUE;
    }
    return DIENUM_CONTINUE;
}

BOOL CALLBACK EnumAxesCallback(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID context) {
    if ((object->dwType & DIDFT_AXIS) == 0) {
        return DIENUM_CONTINUE;
    }
    DIPROPRANGE range = {};
    range.diph.dwSize = sizeof range;
    range.diph.dwHeaderSize = sizeof range.diph;
    range.diph.dwObj = object->dwType;
    range.diph.dwHow = DIPH_BYID;
    range.lMin = -CJoystick::AXIS_RANGE;
    range.lMax = CJoystick::AXIS_RANGE;
    // By identifier on every controller present, whichever one's objects these are.
    auto* joystick = static_cast<CJoystick*>(context);
    for (IDirectInputDevice8A* device : joystick->devices) {
        if (device && FAILED(device->SetProperty(DIPROP_RANGE, &range.diph))) {
            return DIENUM_STOP;
        }
    }
    return DIENUM_CONTINUE;
}
