// The joystick holder: up to four controllers in enumeration order, the two set-up failures
// with their messages, the axis range applied to every controller, and per-step snapshots
// that follow the window's focus.
#include "input/CJoystick.h"
#include "input/InputWindowTest.h"

namespace {

using platform::testing::AttachJoystick;
using platform::testing::Failure;

class JoystickTest : public InputWindowTest {};

TEST_F(JoystickTest, WithoutControllersEverySlotIsEmptyAndNothingIsSaid) {
    CJoystick* joystick = CJoystick::GetInstance();
    ASSERT_NE(joystick->directInput, nullptr);
    for (IDirectInputDevice8A* device : joystick->devices) {
        EXPECT_EQ(device, nullptr);
    }
    joystick->Update();
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
}

TEST_F(JoystickTest, AFifthControllerIsIgnoredWithoutAMessage) {
    for (int pad = 0; pad < 5; ++pad) {
        ASSERT_GE(AttachJoystick("Pad " + std::to_string(pad), 2, 4), 0);
    }
    CJoystick* joystick = CJoystick::GetInstance();
    for (IDirectInputDevice8A* device : joystick->devices) {
        EXPECT_NE(device, nullptr);
    }
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
}

TEST_F(JoystickTest, AControllerWithoutCapabilitiesLeavesItsSlotForTheNext) {
    int first = AttachJoystick("Broken", 2, 4);
    int second = AttachJoystick("Working", 2, 4);
    ASSERT_GE(second, 0);
    platform::testing::InjectFailure(Failure::JoystickCapabilities);
    CJoystick* joystick = CJoystick::GetInstance();
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"Input: ジョイスティックの能力を調べられませんでした"});
    ASSERT_NE(joystick->devices[0], nullptr);
    EXPECT_EQ(joystick->devices[1], nullptr);
    // Slot 0 holds the second controller: its axis moves, the first one's does not.
    platform::testing::SetJoystickAxis(first, 0, 32767);
    platform::testing::SetJoystickAxis(second, 0, -32768);
    joystick->Update();
    EXPECT_EQ(joystick->current[0].lX, -32767);
}

TEST_F(JoystickTest, AxesReadTheirExtremesAndZeroAtTheCentre) {
    int pad = AttachJoystick("Pad", 3, 2);
    ASSERT_GE(pad, 0);
    CJoystick* joystick = CJoystick::GetInstance();
    platform::testing::SetJoystickAxis(pad, 0, -32768);
    platform::testing::SetJoystickAxis(pad, 1, 32767);
    platform::testing::SetJoystickAxis(pad, 2, 0);
    joystick->Update();
    EXPECT_EQ(joystick->current[0].lX, -CJoystick::AXIS_RANGE);
    EXPECT_EQ(joystick->current[0].lY, CJoystick::AXIS_RANGE);
    EXPECT_EQ(joystick->current[0].lZ, 0);
    platform::testing::SetJoystickAxis(pad, 0, -1);  // SDL's other middle value
    joystick->Update();
    EXPECT_EQ(joystick->current[0].lX, 0);
    EXPECT_EQ(joystick->previous[0].lX, -CJoystick::AXIS_RANGE);
}

TEST_F(JoystickTest, TheRangeGoesOnEveryControllerAndButtonsShowInBit7) {
    int first = AttachJoystick("First", 2, 2);
    int second = AttachJoystick("Second", 2, 2);
    CJoystick* joystick = CJoystick::GetInstance();
    platform::testing::SetJoystickAxis(first, 1, 32767);
    platform::testing::SetJoystickAxis(second, 1, 32767);
    platform::testing::SetJoystickButton(second, 1, true);
    joystick->Update();
    EXPECT_EQ(joystick->current[0].lY, 32767);
    EXPECT_EQ(joystick->current[1].lY, 32767);
    EXPECT_EQ(joystick->current[1].rgbButtons[1], 0x80);
    EXPECT_EQ(joystick->current[1].rgbButtons[0], 0);
    EXPECT_EQ(joystick->current[0].rgbButtons[1], 0);
}

TEST_F(JoystickTest, WithoutFocusThePollFailsAndTheFirstPollAfterReadsAgain) {
    int pad = AttachJoystick("Pad", 2, 2);
    CJoystick* joystick = CJoystick::GetInstance();
    platform::testing::SetJoystickAxis(pad, 0, 32767);
    joystick->Update();
    ASSERT_EQ(joystick->current[0].lX, 32767);

    platform::testing::InjectFocusLost(hwnd);
    Pump();
    EXPECT_EQ(joystick->devices[0]->Acquire(), DIERR_OTHERAPPHASPRIO);
    platform::testing::SetJoystickAxis(pad, 0, -32768);
    joystick->Update();
    EXPECT_EQ(joystick->current[0].lX, 32767) << "the snapshot is not refreshed";

    platform::testing::InjectFocusGained(hwnd);
    Pump();
    joystick->Update();
    EXPECT_EQ(joystick->current[0].lX, -32767);
}

}  // namespace
