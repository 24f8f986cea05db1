// DirectInput: creating the object and the system keyboard, the device's set-up protocol and
// its results, and the immediate state read from the desktop's keys in DIK_ numbering.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dinput.h"
#include "platform/win32/WindowTest.h"

namespace {

namespace seam = platform::testing;

class DirectInputTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        hwnd = MakeWindow();
        void* created = nullptr;
        ASSERT_EQ(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION,
                                     IID_IDirectInput8A, &created, nullptr),
                  DI_OK);
        directInput = static_cast<IDirectInput8A*>(created);
        ASSERT_EQ(directInput->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
        ASSERT_NE(keyboard, nullptr);
    }

    void TearDown() override {
        for (int key : std::initializer_list<int>{
                 'A', 'Q', 'W', 'E', 'R', 'T', 'Y',      'U',     'I',         'O',
                 'P', 'S', 'D', 'F', 'G', 'H', 'J',      'K',     'L',         'Z',
                 'X', 'C', 'V', 'B', 'N', 'M', VK_SPACE, VK_LEFT, VK_RCONTROL, VK_ESCAPE}) {
            seam::InjectKey(hwnd, key, false);
        }
        Drain();
        if (keyboard) {
            keyboard->Release();
        }
        if (directInput) {
            directInput->Release();
        }
        WindowTest::TearDown();
    }

    void ReadyKeyboard() {
        ASSERT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
        ASSERT_EQ(keyboard->SetCooperativeLevel(hwnd, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
                  DI_OK);
        ASSERT_EQ(keyboard->Acquire(), DI_OK);
    }

    void Key(int virtualKey, bool down) {
        seam::InjectKey(hwnd, virtualKey, down);
        Drain();
    }

    HWND hwnd = nullptr;
    IDirectInput8A* directInput = nullptr;
    IDirectInputDevice8A* keyboard = nullptr;
};

TEST(DirectInputCreate, ChecksVersionInterfaceAndArguments) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(DirectInput8Create(instance, 0x0700, IID_IDirectInput8A, &out, nullptr),
              DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(DirectInput8Create(instance, 0x0900, IID_IDirectInput8A, &out, nullptr),
              DIERR_BETADIRECTINPUTVERSION);
    EXPECT_EQ(DirectInput8Create(instance, 0x0800, GUID_SysKeyboard, &out, nullptr),
              DIERR_NOINTERFACE);
    EXPECT_EQ(DirectInput8Create(nullptr, 0x0800, IID_IDirectInput8A, &out, nullptr),
              DIERR_INVALIDPARAM);
    EXPECT_EQ(DirectInput8Create(instance, 0x0800, IID_IDirectInput8A, nullptr, nullptr),
              DIERR_INVALIDPARAM);
    EXPECT_EQ(DirectInput8Create(instance, 0x0800, IID_IDirectInput8A, &out,
                                 reinterpret_cast<IUnknown*>(&out)),
              DIERR_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
}

TEST_F(DirectInputTest, OnlyTheSystemKeyboardIsADevice) {
    IDirectInputDevice8A* other = reinterpret_cast<IDirectInputDevice8A*>(1);
    EXPECT_EQ(directInput->CreateDevice(IID_IDirectInput8A, &other, nullptr), DIERR_DEVICENOTREG);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(directInput->CreateDevice(GUID_SysKeyboard, &other,
                                        reinterpret_cast<IUnknown*>(directInput)),
              DIERR_NOAGGREGATION);
    EXPECT_EQ(directInput->CreateDevice(GUID_SysKeyboard, nullptr, nullptr), DIERR_INVALIDPARAM);
}

TEST_F(DirectInputTest, DeviceKeepsItsDirectInputAlive) {
    // Releasing DirectInput first leaves the device working; the last release frees both.
    EXPECT_EQ(directInput->Release(), 1u);
    directInput = nullptr;
    ReadyKeyboard();
    Key(VK_SPACE, true);
    BYTE state[256];
    EXPECT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    EXPECT_EQ(state[DIK_SPACE], 0x80);
    EXPECT_EQ(keyboard->Release(), 0u);
    keyboard = nullptr;
}

TEST_F(DirectInputTest, AcquireAndStateFollowTheDocumentedProtocol) {
    BYTE state[256];
    EXPECT_EQ(keyboard->Acquire(), DIERR_INVALIDPARAM) << "no data format yet";
    EXPECT_EQ(keyboard->GetDeviceState(sizeof state, state), DIERR_NOTACQUIRED);
    EXPECT_EQ(keyboard->SetDataFormat(nullptr), DIERR_INVALIDPARAM);
    ASSERT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), S_FALSE);
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);
    EXPECT_EQ(keyboard->SetCooperativeLevel(hwnd, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
              DIERR_ACQUIRED);
    EXPECT_EQ(keyboard->GetDeviceState(128, state), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->GetDeviceState(sizeof state, nullptr), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);
    EXPECT_EQ(keyboard->Unacquire(), DI_NOEFFECT);
    EXPECT_EQ(keyboard->GetDeviceState(sizeof state, state), DIERR_NOTACQUIRED);
}

TEST_F(DirectInputTest, CooperativeLevelNeedsOneOfEachPairAndAWindow) {
    EXPECT_EQ(keyboard->SetCooperativeLevel(hwnd, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    EXPECT_EQ(keyboard->SetCooperativeLevel(hwnd, DISCL_EXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    EXPECT_EQ(keyboard->SetCooperativeLevel(hwnd, DISCL_NONEXCLUSIVE), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetCooperativeLevel(hwnd, DISCL_BACKGROUND), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetCooperativeLevel(
                  hwnd, DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
              DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetCooperativeLevel(
                  hwnd, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_BACKGROUND),
              DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetCooperativeLevel(hwnd, DISCL_EXCLUSIVE | DISCL_BACKGROUND),
              DIERR_UNSUPPORTED);
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
              DIERR_INVALIDPARAM);
    HWND gone = MakeWindow();
    DestroyWindow(gone);
    windows.pop_back();
    EXPECT_EQ(keyboard->SetCooperativeLevel(gone, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
              DIERR_INVALIDPARAM);
}

TEST_F(DirectInputTest, StateShowsTheKeysDownByDikCode) {
    ReadyKeyboard();
    BYTE state[256];
    std::memset(state, 0xCC, sizeof state);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(state[i], 0) << i;
    }

    Key(VK_SPACE, true);
    Key(VK_LEFT, true);
    Key(VK_RCONTROL, true);
    Key(VK_ESCAPE, true);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    for (int i = 0; i < 256; ++i) {
        bool down = i == DIK_SPACE || i == DIK_LEFT || i == DIK_RCONTROL || i == DIK_ESCAPE;
        EXPECT_EQ(state[i], down ? 0x80 : 0) << "DIK " << i;
    }

    Key(VK_LEFT, false);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    EXPECT_EQ(state[DIK_LEFT], 0);
    EXPECT_EQ(state[DIK_SPACE], 0x80);
}

TEST_F(DirectInputTest, LetterRowsRunInScanCodeOrder) {
    // Each letter row of the PC keyboard has consecutive scan codes.
    ReadyKeyboard();
    for (std::string row : {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"}) {
        int previous = -1;
        for (char letter : row) {
            Key(letter, true);
            BYTE state[256];
            ASSERT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
            Key(letter, false);
            int dik = -1;
            for (int i = 0; i < 256; ++i) {
                if (state[i] & 0x80) {
                    EXPECT_EQ(dik, -1) << letter << " lit more than one key";
                    dik = i;
                }
            }
            ASSERT_NE(dik, -1) << letter;
            if (previous >= 0) {
                EXPECT_EQ(dik, previous + 1) << letter;
            }
            previous = dik;
        }
    }
}

TEST_F(DirectInputTest, CustomFormatPlacesKeysByObject) {
    // A four-byte format with the space bar at offset 2 and Escape at offset 0.
    DIOBJECTDATAFORMAT objects[] = {
        {&GUID_Key, 2, DIDFT_BUTTON | DIDFT_MAKEINSTANCE(DIK_SPACE), 0},
        {nullptr, 0, DIDFT_BUTTON | DIDFT_MAKEINSTANCE(DIK_ESCAPE), 0},
    };
    DIDATAFORMAT format = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), 0, 4, 2, objects};
    ASSERT_EQ(keyboard->SetDataFormat(&format), DI_OK);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    Key(VK_SPACE, true);
    BYTE state[4] = {1, 1, 1, 1};
    EXPECT_EQ(keyboard->GetDeviceState(256, state), DIERR_INVALIDPARAM);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof state, state), DI_OK);
    EXPECT_EQ(state[0], 0);
    EXPECT_EQ(state[1], 0);
    EXPECT_EQ(state[2], 0x80);
    EXPECT_EQ(state[3], 0);
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);

    // Objects past the data, and sizes that are not whole DWORDs, are refused.
    objects[0].dwOfs = 4;
    EXPECT_EQ(keyboard->SetDataFormat(&format), DIERR_INVALIDPARAM);
    objects[0].dwOfs = 2;
    format.dwDataSize = 3;
    EXPECT_EQ(keyboard->SetDataFormat(&format), DIERR_INVALIDPARAM);
}

TEST(KeyboardFormat, OneByteForEveryDikCode) {
    EXPECT_EQ(c_dfDIKeyboard.dwSize, sizeof(DIDATAFORMAT));
    EXPECT_EQ(c_dfDIKeyboard.dwObjSize, sizeof(DIOBJECTDATAFORMAT));
    ASSERT_EQ(c_dfDIKeyboard.dwDataSize, 256u);
    ASSERT_EQ(c_dfDIKeyboard.dwNumObjs, 256u);
    for (DWORD i = 0; i < c_dfDIKeyboard.dwNumObjs; ++i) {
        const DIOBJECTDATAFORMAT& object = c_dfDIKeyboard.rgodf[i];
        EXPECT_EQ(object.dwOfs, i);
        EXPECT_EQ(DIDFT_GETINSTANCE(object.dwType), i);
        EXPECT_TRUE(object.dwType & DIDFT_BUTTON);
    }
}

}  // namespace
