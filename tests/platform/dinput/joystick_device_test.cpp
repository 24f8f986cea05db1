// Game controllers as DirectInput devices: enumeration of the attached ones, their objects and
// capabilities, the default and the set axis range, the range property's checks, points of view.
#include <gtest/gtest.h>

#include <vector>

#include "dinput.h"
#include "test_seam.h"

namespace {

class JoystickDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::testing::StartHeadless();
        void* created = nullptr;
        ASSERT_EQ(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION,
                                     IID_IDirectInput8A, &created, nullptr),
                  DI_OK);
        directInput = static_cast<IDirectInput8A*>(created);
    }
    void TearDown() override {
        if (device) {
            device->Release();
        }
        directInput->Release();
    }

    std::vector<DIDEVICEINSTANCEA> Listed() {
        std::vector<DIDEVICEINSTANCEA> listed;
        directInput->EnumDevices(
            DI8DEVCLASS_GAMECTRL,
            [](LPCDIDEVICEINSTANCEA instance, LPVOID context) -> BOOL {
                static_cast<std::vector<DIDEVICEINSTANCEA>*>(context)->push_back(*instance);
                return DIENUM_CONTINUE;
            },
            &listed, DIEDFL_ATTACHEDONLY);
        return listed;
    }

    // Opens the first listed controller with the predefined format, not yet acquired.
    void OpenFirst() {
        auto listed = Listed();
        ASSERT_FALSE(listed.empty());
        ASSERT_EQ(directInput->CreateDevice(listed[0].guidInstance, &device, nullptr), DI_OK);
        ASSERT_EQ(device->SetDataFormat(&c_dfDIJoystick2), DI_OK);
    }

    DIJOYSTATE2 Read() {
        DIJOYSTATE2 state = {};
        device->Acquire();
        EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DI_OK);
        return state;
    }

    IDirectInput8A* directInput = nullptr;
    IDirectInputDevice8A* device = nullptr;
};

TEST_F(JoystickDeviceTest, AttachedControllersAreListedInOrderWithTheirNames) {
    EXPECT_TRUE(Listed().empty());
    platform::testing::AttachJoystick("One", 2, 1);
    platform::testing::AttachJoystick("Two", 2, 1);
    auto listed = Listed();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_STREQ(listed[0].tszProductName, "One");
    EXPECT_STREQ(listed[1].tszProductName, "Two");
    EXPECT_EQ(listed[0].dwDevType & 0xFF, static_cast<DWORD>(DI8DEVTYPE_JOYSTICK));
    GUID unknown = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    IDirectInputDevice8A* none = nullptr;
    EXPECT_EQ(directInput->CreateDevice(unknown, &none, nullptr), DIERR_DEVICENOTREG);
    EXPECT_EQ(none, nullptr);
}

TEST_F(JoystickDeviceTest, CapabilitiesAndObjectsDescribeTheController) {
    platform::testing::AttachJoystick("Pad", 3, 5, 1);
    OpenFirst();
    DIDEVCAPS caps = {};
    EXPECT_EQ(device->GetCapabilities(&caps), DIERR_INVALIDPARAM) << "dwSize unset";
    caps.dwSize = sizeof caps;
    ASSERT_EQ(device->GetCapabilities(&caps), DI_OK);
    EXPECT_EQ(caps.dwAxes, 3u);
    EXPECT_EQ(caps.dwButtons, 5u);
    EXPECT_EQ(caps.dwPOVs, 1u);
    int axes = 0;
    device->EnumObjects(
        [](LPCDIDEVICEOBJECTINSTANCEA object, LPVOID context) -> BOOL {
            if (object->dwType & DIDFT_AXIS) {
                ++*static_cast<int*>(context);
            }
            return DIENUM_CONTINUE;
        },
        &axes, DIDFT_ALL);
    EXPECT_EQ(axes, 3);
}

TEST_F(JoystickDeviceTest, AxesSpanZeroTo65535UntilARangeIsSet) {
    int pad = platform::testing::AttachJoystick("Pad", 2, 1);
    OpenFirst();
    platform::testing::SetJoystickAxis(pad, 0, -32768);
    platform::testing::SetJoystickAxis(pad, 1, 32767);
    DIJOYSTATE2 state = Read();
    EXPECT_EQ(state.lX, 0);
    EXPECT_EQ(state.lY, 65535);
}

TEST_F(JoystickDeviceTest, HatsReadAsPointsOfView) {
    platform::testing::AttachJoystick("Pad", 2, 1, 1);
    OpenFirst();
    EXPECT_EQ(Read().rgdwPOV[0], 0xFFFFFFFFu) << "centred";
}

TEST_F(JoystickDeviceTest, TheRangePropertyIsCheckedAndNotChangedWhileAcquired) {
    platform::testing::AttachJoystick("Pad", 2, 1);
    OpenFirst();
    DIPROPRANGE range = {};
    range.diph.dwSize = sizeof range;
    range.diph.dwHeaderSize = sizeof range.diph;
    range.diph.dwHow = DIPH_BYID;
    range.diph.dwObj = DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(7);  // no such axis
    range.lMin = -100;
    range.lMax = 100;
    EXPECT_EQ(device->SetProperty(DIPROP_RANGE, &range.diph), DIERR_OBJECTNOTFOUND);
    range.diph.dwObj = DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(0);
    range.lMin = 100;
    EXPECT_EQ(device->SetProperty(DIPROP_RANGE, &range.diph), DIERR_INVALIDPARAM);
    range.lMin = -100;
    EXPECT_EQ(device->SetProperty(DIPROP_RANGE, &range.diph), DI_OK);
    EXPECT_EQ(Read().lX, 0) << "the centre of -100..100";
    EXPECT_EQ(device->SetProperty(DIPROP_RANGE, &range.diph), DIERR_ACQUIRED);
}

TEST_F(JoystickDeviceTest, AnUnpluggedControllerReportsItsInputLost) {
    int pad = platform::testing::AttachJoystick("Pad", 2, 1);
    OpenFirst();
    Read();
    platform::testing::DetachJoystick(pad);
    DIJOYSTATE2 state = {};
    EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DIERR_INPUTLOST);
}

}  // namespace
