// The key-state snapshot and key bindings, driven through a real window: injected desktop
// input, the message loop, the window procedure noting key messages, then the frame step's
// snapshot. Covers held keys, taps between two snapshots, repeats and unbound actions.
#include <gtest/gtest.h>

#include <cstring>

#include "input/KeyBindings.h"
#include "input/KeyState.h"
#include "test_seam.h"
#include "windows.h"

namespace {

namespace testing_seam = platform::testing;

LRESULT CALLBACK NotingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    NoteKeyMessage(message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

constexpr char kClassName[] = "KeyStateTest";

class KeyStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing_seam::StartHeadless();
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = NotingProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        ASSERT_NE(RegisterClassExA(&wc), 0);
        hwnd = CreateWindowExA(0, kClassName, "keys", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                               nullptr, wc.hInstance, nullptr);
        ASSERT_NE(hwnd, nullptr);
        Settle();
    }

    void TearDown() override {
        if (hwnd) {
            Settle();
            DestroyWindow(hwnd);
        }
        UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
    }

    // Releases everything this test may hold and leaves a snapshot with nothing down.
    void Settle() {
        for (int button : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) {
            testing_seam::InjectMouseButton(hwnd, button, false);
        }
        testing_seam::InjectKey(hwnd, VK_SPACE, false);
        testing_seam::InjectKey(hwnd, 'A', false);
        Step();
        Step();
    }

    void Pump(bool dispatch = true) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            if (dispatch) {
                DispatchMessageA(&msg);
            }
        }
    }

    // One pass of the game's loop: drain the messages, then the frame step's snapshot.
    void Step() {
        Pump();
        UpdateKeyState();
    }

    void Button(int button, bool down) { testing_seam::InjectMouseButton(hwnd, button, down); }

    HWND hwnd = nullptr;
};

TEST_F(KeyStateTest, HeldLeftButtonIsPressedInTheFirstFrameOnly) {
    Button(VK_LBUTTON, true);
    Step();
    EXPECT_TRUE(IsActionPressed(ACTION_DECIDE));
    for (int frame = 0; frame < 3; ++frame) {
        Step();
        EXPECT_FALSE(IsActionPressed(ACTION_DECIDE)) << frame;
    }
    Button(VK_LBUTTON, false);
    Step();
    EXPECT_FALSE(IsActionPressed(ACTION_DECIDE));
    Button(VK_LBUTTON, true);
    Step();
    EXPECT_TRUE(IsActionPressed(ACTION_DECIDE)) << "releasing and pressing again counts again";
}

TEST_F(KeyStateTest, TapBetweenTwoFramesCountsOnceInTheNextFrame) {
    // A touchpad tap: press and release arrive together, before the next frame step.
    Button(VK_LBUTTON, true);
    Button(VK_LBUTTON, false);
    Step();
    EXPECT_FALSE(KeyStateBuffer()->current[VK_LBUTTON] & 0x80) << "the state shows it up again";
    EXPECT_TRUE(IsActionPressed(ACTION_DECIDE));
    Step();
    EXPECT_FALSE(IsActionPressed(ACTION_DECIDE));
}

TEST_F(KeyStateTest, NewPressOfAHeldKeyBetweenFramesCounts) {
    Button(VK_LBUTTON, true);
    Step();
    Step();
    ASSERT_FALSE(IsActionPressed(ACTION_DECIDE));
    Button(VK_LBUTTON, false);
    Button(VK_LBUTTON, true);
    Step();
    EXPECT_TRUE(IsActionPressed(ACTION_DECIDE));
    Step();
    EXPECT_FALSE(IsActionPressed(ACTION_DECIDE));
}

TEST_F(KeyStateTest, PressInEveryOtherFrameIsSeenEveryTime) {
    for (int press = 0; press < 3; ++press) {
        Button(VK_RBUTTON, true);
        Step();
        EXPECT_TRUE(IsActionPressed(ACTION_QUIT)) << press;
        Button(VK_RBUTTON, false);
        Step();
        EXPECT_FALSE(IsActionPressed(ACTION_QUIT)) << press;
    }
}

TEST_F(KeyStateTest, KeyRepeatIsNotAPress) {
    testing_seam::InjectKey(hwnd, VK_SPACE, true);
    Step();
    EXPECT_TRUE(IsActionPressed(ACTION_RESUME));
    testing_seam::InjectKey(hwnd, VK_SPACE, true, true);
    testing_seam::InjectKey(hwnd, VK_SPACE, true, true);
    Step();
    EXPECT_FALSE(IsActionPressed(ACTION_RESUME));
}

TEST_F(KeyStateTest, KeyDownBeforeTheFirstSnapshotCountsWithoutItsMessage) {
    // As at start-up: the key went down before anything noted its message; the zero previous
    // state alone makes it a press.
    Button(VK_LBUTTON, true);
    Pump(false);
    UpdateKeyState();
    EXPECT_TRUE(IsActionPressed(ACTION_DECIDE));
    Pump(false);
    UpdateKeyState();
    EXPECT_FALSE(IsActionPressed(ACTION_DECIDE));
}

TEST_F(KeyStateTest, SnapshotKeepsThePreviousTableWithToggleBits) {
    testing_seam::InjectKey(hwnd, VK_SPACE, true);
    Step();
    KeyState before;
    std::memcpy(&before, KeyStateBuffer(), sizeof before);
    EXPECT_EQ(before.current[VK_SPACE] & 0x80, 0x80);
    testing_seam::InjectKey(hwnd, VK_SPACE, false);
    Step();
    EXPECT_EQ(std::memcmp(KeyStateBuffer()->previous, before.current, 256), 0);
    EXPECT_EQ(KeyStateBuffer()->current[VK_SPACE] & 0x80, 0);
    EXPECT_EQ(KeyStateBuffer()->current[VK_SPACE] & 0x01, before.current[VK_SPACE] & 0x01);
}

TEST_F(KeyStateTest, EachActionAnswersOnlyToItsOwnKey) {
    Button(VK_LBUTTON, true);
    Step();
    EXPECT_TRUE(IsActionPressed(ACTION_DECIDE));
    EXPECT_FALSE(IsActionPressed(ACTION_QUIT));
    EXPECT_FALSE(IsActionPressed(ACTION_RESUME));
    testing_seam::InjectKey(hwnd, 'A', true);
    Step();
    EXPECT_FALSE(IsActionPressed(ACTION_DECIDE));
    EXPECT_FALSE(IsActionPressed(ACTION_RESUME));
    EXPECT_TRUE(IsKeyPressed('A'));
}

TEST(KeyMessages, ExtraButtonsAndStrayKeyCodesAreHandledSafely) {
    UpdateKeyState();
    NoteKeyMessage(WM_XBUTTONDOWN, MAKELONG(0, 2), 0);
    NoteKeyMessage(WM_KEYDOWN, 0x1234, 0);  // no such virtual key
    NoteKeyMessage(WM_KEYUP, VK_SPACE, 0);
    UpdateKeyState();
    EXPECT_TRUE(IsKeyPressed(VK_XBUTTON2));
    EXPECT_FALSE(IsKeyPressed(VK_XBUTTON1));
    EXPECT_FALSE(IsKeyPressed(0x1234 & 0xFF));
    EXPECT_FALSE(IsKeyPressed(VK_SPACE));
    EXPECT_FALSE(IsKeyPressed(-1));
    EXPECT_FALSE(IsKeyPressed(256));
    UpdateKeyState();
    EXPECT_FALSE(IsKeyPressed(VK_XBUTTON2));
}

TEST(KeyBindings, DefaultsAndTheSameMapOnEveryCall) {
    std::map<int, int>& bindings = GetKeyBindings();
    EXPECT_EQ(&bindings, &GetKeyBindings());
    EXPECT_EQ(bindings.at(ACTION_DECIDE), VK_LBUTTON);
    EXPECT_EQ(bindings.at(ACTION_QUIT), VK_RBUTTON);
    EXPECT_EQ(bindings.at(ACTION_RESUME), VK_SPACE);
}

TEST(KeyBindings, UnknownActionAnswersFalseAndAddsOnlyItsOwnEntry) {
    std::map<int, int> before = GetKeyBindings();
    EXPECT_FALSE(IsActionPressed(7));
    std::map<int, int>& after = GetKeyBindings();
    EXPECT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.at(7), 0);
    for (const auto& [action, key] : before) {
        EXPECT_EQ(after.at(action), key);
    }
}

}  // namespace
