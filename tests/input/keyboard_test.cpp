// The DirectInput keyboard holder: set-up on the shared window, per-step snapshots of the keys
// by DIK_ code, and a holder whose set-up failed staying usable.
#include <gtest/gtest.h>

#include "frame/SharedContext.h"
#include "input/CKeyboard.h"
#include "test_seam.h"
#include "windows.h"

namespace {

namespace testing_seam = platform::testing;

constexpr char kClassName[] = "KeyboardTest";

class KeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_seam::StartHeadless();
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        ASSERT_NE(RegisterClassExA(&wc), 0);
        hwnd = CreateWindowExA(0, kClassName, "keyboard", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                               nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(hwnd, nullptr);
        SharedContext.hWnd = hwnd;
    }

    void TearDown() override {
        testing_seam::InjectKey(hwnd, 'A', false);
        testing_seam::InjectKey(hwnd, VK_SPACE, false);
        Pump();
        SharedContext.hWnd = nullptr;
        DestroyWindow(hwnd);
        UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
    }

    void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }

    HWND hwnd = nullptr;
};

TEST_F(KeyboardTest, SnapshotsFollowTheKeysFrameByFrame) {
    CKeyboard keyboard;
    ASSERT_NE(keyboard.directInput, nullptr);
    ASSERT_NE(keyboard.device, nullptr);

    testing_seam::InjectKey(hwnd, 'A', true);
    Pump();
    keyboard.Update();
    EXPECT_EQ(keyboard.current[DIK_A], 0x80);
    EXPECT_EQ(keyboard.previous[DIK_A], 0);
    EXPECT_EQ(keyboard.current[DIK_SPACE], 0);

    testing_seam::InjectKey(hwnd, 'A', false);
    testing_seam::InjectKey(hwnd, VK_SPACE, true);
    Pump();
    keyboard.Update();
    EXPECT_EQ(keyboard.current[DIK_A], 0);
    EXPECT_EQ(keyboard.previous[DIK_A], 0x80);
    EXPECT_EQ(keyboard.current[DIK_SPACE], 0x80);
}

TEST_F(KeyboardTest, ReacquiresALostDeviceOnUpdate) {
    CKeyboard keyboard;
    keyboard.device->Unacquire();
    testing_seam::InjectKey(hwnd, VK_SPACE, true);
    Pump();
    keyboard.Update();
    EXPECT_EQ(keyboard.current[DIK_SPACE], 0x80);
}

TEST_F(KeyboardTest, WithoutAWindowItStillReadsInTheDefaultLevel) {
    // The cooperative level is refused without a window; nothing is reported and the device
    // keeps the default level, as DirectInput does.
    SharedContext.hWnd = nullptr;
    CKeyboard keyboard;
    testing_seam::InjectKey(hwnd, VK_SPACE, true);
    Pump();
    keyboard.Update();
    EXPECT_EQ(keyboard.current[DIK_SPACE], 0x80);
}

}  // namespace
