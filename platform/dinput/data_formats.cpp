// The identifiers and the predefined keyboard, mouse and game-controller data formats that the
// game passes to DirectInput.
#include <array>
#include <cstddef>

#include "dinput.h"

const GUID GUID_XAxis = {
    0xA36D02E0, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_YAxis = {
    0xA36D02E1, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_ZAxis = {
    0xA36D02E2, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_RxAxis = {
    0xA36D02F4, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_RyAxis = {
    0xA36D02F5, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_RzAxis = {
    0xA36D02E3, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_Slider = {
    0xA36D02E4, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_Button = {
    0xA36D02F0, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_POV = {
    0xA36D02F2, 0xC9F3, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysMouse = {
    0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_Key = {
    0x55728220, 0xD33C, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysKeyboard = {
    0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID IID_IDirectInput8A = {
    0xBF798030, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};

namespace {

constexpr int kKeyCount = 256;

// One optional button object per key; the instance number is the key's DIK_ code.
constexpr std::array<DIOBJECTDATAFORMAT, kKeyCount> MakeKeyboardObjects() {
    std::array<DIOBJECTDATAFORMAT, kKeyCount> objects{};
    for (int key = 0; key < kKeyCount; ++key) {
        objects[key] = {&GUID_Key, static_cast<DWORD>(key),
                        DIDFT_OPTIONAL | DIDFT_BUTTON | DIDFT_MAKEINSTANCE(key), 0};
    }
    return objects;
}

// Constant-initialised, so the format is complete before any code can ask for it.
constinit std::array<DIOBJECTDATAFORMAT, kKeyCount> keyboardObjects = MakeKeyboardObjects();

}  // namespace

constinit const DIDATAFORMAT c_dfDIKeyboard = {
    sizeof(DIDATAFORMAT),  sizeof(DIOBJECTDATAFORMAT), DIDF_RELAXIS, kKeyCount, kKeyCount,
    keyboardObjects.data()};

namespace {

constexpr DWORD kAnyAxis = DIDFT_OPTIONAL | DIDFT_AXIS | DIDFT_ANYINSTANCE;
constexpr DWORD kAnyButton = DIDFT_OPTIONAL | DIDFT_BUTTON | DIDFT_ANYINSTANCE;
constexpr DWORD kAnyPov = DIDFT_OPTIONAL | DIDFT_POV | DIDFT_ANYINSTANCE;

// X, Y, wheel, then eight buttons.
constexpr std::array<DIOBJECTDATAFORMAT, 11> MakeMouseObjects() {
    std::array<DIOBJECTDATAFORMAT, 11> objects{};
    objects[0] = {&GUID_XAxis, offsetof(DIMOUSESTATE2, lX), kAnyAxis, 0};
    objects[1] = {&GUID_YAxis, offsetof(DIMOUSESTATE2, lY), kAnyAxis, 0};
    objects[2] = {&GUID_ZAxis, offsetof(DIMOUSESTATE2, lZ), kAnyAxis, 0};
    for (int button = 0; button < 8; ++button) {
        objects[3 + button] = {nullptr,
                               static_cast<DWORD>(offsetof(DIMOUSESTATE2, rgbButtons) + button),
                               kAnyButton, 0};
    }
    return objects;
}

// The six axes, two sliders, four points of view and 128 buttons; the velocity, acceleration
// and force fields of the record are left to 0.
constexpr int kJoystickObjects = 6 + 2 + 4 + 128;
constexpr std::array<DIOBJECTDATAFORMAT, kJoystickObjects> MakeJoystickObjects() {
    std::array<DIOBJECTDATAFORMAT, kJoystickObjects> objects{};
    objects[0] = {&GUID_XAxis, offsetof(DIJOYSTATE2, lX), kAnyAxis, 0};
    objects[1] = {&GUID_YAxis, offsetof(DIJOYSTATE2, lY), kAnyAxis, 0};
    objects[2] = {&GUID_ZAxis, offsetof(DIJOYSTATE2, lZ), kAnyAxis, 0};
    objects[3] = {&GUID_RxAxis, offsetof(DIJOYSTATE2, lRx), kAnyAxis, 0};
    objects[4] = {&GUID_RyAxis, offsetof(DIJOYSTATE2, lRy), kAnyAxis, 0};
    objects[5] = {&GUID_RzAxis, offsetof(DIJOYSTATE2, lRz), kAnyAxis, 0};
    int next = 6;
    for (int slider = 0; slider < 2; ++slider) {
        objects[next++] = {
            &GUID_Slider,
            static_cast<DWORD>(offsetof(DIJOYSTATE2, rglSlider) + slider * sizeof(LONG)), kAnyAxis,
            0};
    }
    for (int pov = 0; pov < 4; ++pov) {
        objects[next++] = {&GUID_POV,
                           static_cast<DWORD>(offsetof(DIJOYSTATE2, rgdwPOV) + pov * sizeof(DWORD)),
                           kAnyPov, 0};
    }
    for (int button = 0; button < 128; ++button) {
        objects[next++] = {nullptr, static_cast<DWORD>(offsetof(DIJOYSTATE2, rgbButtons) + button),
                           kAnyButton, 0};
    }
    return objects;
}

constinit std::array<DIOBJECTDATAFORMAT, 11> mouseObjects = MakeMouseObjects();
constinit std::array<DIOBJECTDATAFORMAT, kJoystickObjects> joystickObjects = MakeJoystickObjects();

}  // namespace

constinit const DIDATAFORMAT c_dfDIMouse2 = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT),
                                             DIDF_RELAXIS,         sizeof(DIMOUSESTATE2),
                                             mouseObjects.size(),  mouseObjects.data()};

constinit const DIDATAFORMAT c_dfDIJoystick2 = {sizeof(DIDATAFORMAT),   sizeof(DIOBJECTDATAFORMAT),
                                                DIDF_ABSAXIS,           sizeof(DIJOYSTATE2),
                                                joystickObjects.size(), joystickObjects.data()};
