// The identifiers and the predefined keyboard data format that the game passes to DirectInput.
#include <array>

#include "dinput.h"

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
