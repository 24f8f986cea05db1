// The mouse holder: relative motion, wheel and buttons per step, the cursor in screen and
// client coordinates without clamping, and acquisition that follows the window's focus.
#include "input/CMouse.h"
#include "input/InputWindowTest.h"

namespace {

using platform::testing::InjectMouseButton;
using platform::testing::InjectMouseMove;

class MouseTest : public InputWindowTest {};

TEST_F(MouseTest, MotionWheelAndButtonsArePerStep) {
    CMouse* mouse = CMouse::GetInstance();
    ASSERT_NE(mouse->device, nullptr);
    InjectMouseMove(hwnd, 10, 20);
    InjectMouseMove(hwnd, 15, 18);
    platform::testing::InjectMouseWheel(hwnd, 2);
    InjectMouseButton(hwnd, VK_RBUTTON, true, 15, 18);
    InjectMouseButton(hwnd, VK_XBUTTON1, true, 15, 18);
    Pump();
    mouse->Update();
    EXPECT_EQ(mouse->current.lX, 15);
    EXPECT_EQ(mouse->current.lY, 18);
    EXPECT_EQ(mouse->current.lZ, 240) << "two notches of 120";
    EXPECT_EQ(mouse->current.rgbButtons[0], 0);
    EXPECT_EQ(mouse->current.rgbButtons[1], 0x80) << "right is button 1";
    EXPECT_EQ(mouse->current.rgbButtons[3], 0x80) << "the first extra button is button 3";

    mouse->Update();
    EXPECT_EQ(mouse->current.lX, 0) << "motion since the last read";
    EXPECT_EQ(mouse->current.lZ, 0);
    EXPECT_EQ(mouse->current.rgbButtons[1], 0x80) << "still held";
    EXPECT_EQ(mouse->previous.lX, 15);
}

TEST_F(MouseTest, TheCursorIsReportedInBothCoordinatesEvenOutsideTheWindow) {
    CMouse* mouse = CMouse::GetInstance();
    RECT window = {};
    GetWindowRect(hwnd, &window);
    InjectMouseMove(hwnd, 30, 40);
    Pump();
    mouse->Update();
    EXPECT_EQ(mouse->cursorClient.x, 30);
    EXPECT_EQ(mouse->cursorClient.y, 40);
    POINT origin = {0, 0};
    ScreenToClient(hwnd, &origin);  // minus the client area's screen position
    EXPECT_EQ(mouse->cursorScreen.x, 30 - origin.x);
    EXPECT_EQ(mouse->cursorScreen.y, 40 - origin.y);
    EXPECT_GT(mouse->cursorScreen.x, window.left);

    InjectMouseMove(hwnd, -25, 700);  // dragged out past the left and bottom edges
    Pump();
    mouse->Update();
    EXPECT_EQ(mouse->cursorClient.x, -25);
    EXPECT_EQ(mouse->cursorClient.y, 700);
    EXPECT_EQ(mouse->current.lX, -55);
    EXPECT_EQ(mouse->current.lY, 660);
}

TEST_F(MouseTest, WithoutFocusTheStateIsNotReadUntilTheFocusReturns) {
    CMouse* mouse = CMouse::GetInstance();
    platform::testing::InjectFocusLost(hwnd);
    Pump();
    EXPECT_EQ(mouse->device->GetDeviceState(sizeof mouse->current, &mouse->current),
              DIERR_INPUTLOST);
    EXPECT_EQ(mouse->device->Acquire(), DIERR_OTHERAPPHASPRIO);
    mouse->Update();  // goes on quietly

    platform::testing::InjectFocusGained(hwnd);
    InjectMouseButton(hwnd, VK_LBUTTON, true, 5, 5);
    Pump();
    mouse->Update();  // acquires again and reads at once
    EXPECT_EQ(mouse->current.rgbButtons[0], 0x80);
    InjectMouseMove(hwnd, 12, 8);
    Pump();
    mouse->Update();
    EXPECT_EQ(mouse->current.lX, 7) << "motion counts from the new acquisition on";
    EXPECT_EQ(mouse->current.lY, 3);
}

TEST_F(MouseTest, WithoutAWindowTheHolderStaysUsable) {
    SharedContext.hWnd = nullptr;
    CMouse* mouse = CMouse::GetInstance();
    mouse->Update();
    EXPECT_EQ(mouse->current.lX, 0);
    EXPECT_TRUE(platform::testing::MessageBoxes().empty());
}

}  // namespace
