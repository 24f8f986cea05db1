// The message queue: input translation, the key-state table, posted and sent messages, quit.
#include "platform/win32/WindowTest.h"

namespace {

using platform::testing::InjectKey;
using platform::testing::InjectMouseButton;

class MessageQueueTest : public WindowTest {};

TEST_F(MessageQueueTest, KeysBecomeKeyMessagesWithVirtualKeyCodes) {
    HWND window = MakeWindow();
    InjectKey(window, 'W', true);
    InjectKey(window, 'W', true, true);
    InjectKey(window, 'W', false);
    InjectKey(window, VK_ESCAPE, true);
    auto taken = Drain();
    ASSERT_EQ(taken.size(), 4u);
    EXPECT_EQ(taken[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(taken[0].wParam, static_cast<WPARAM>('W'));
    EXPECT_EQ(taken[0].hwnd, window);
    EXPECT_EQ(taken[0].lParam & (LPARAM{1} << 30), 0);  // was up before
    EXPECT_NE(taken[1].lParam & (LPARAM{1} << 30), 0);  // key repeat
    EXPECT_EQ(taken[2].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(taken[3].wParam, static_cast<WPARAM>(VK_ESCAPE));
}

TEST_F(MessageQueueTest, KeyStateChangesOnlyAsMessagesAreRemoved) {
    HWND window = MakeWindow();
    BYTE state[256];
    InjectMouseButton(window, VK_LBUTTON, true, 10, 20);
    InjectKey(window, VK_SPACE, true);

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));  // pumped, not removed
    GetKeyboardState(state);
    EXPECT_EQ(state[VK_LBUTTON] & 0x80, 0);

    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(LOWORD(msg.lParam), 10);
    EXPECT_EQ(HIWORD(msg.lParam), 20);
    GetKeyboardState(state);
    EXPECT_EQ(state[VK_LBUTTON] & 0x80, 0x80);
    EXPECT_EQ(state[VK_SPACE] & 0x80, 0);

    Drain();
    GetKeyboardState(state);
    EXPECT_EQ(state[VK_SPACE] & 0x80, 0x80);
    EXPECT_EQ(state[VK_SPACE] & 0x01, 0x01);  // toggled by the press

    InjectMouseButton(window, VK_LBUTTON, false);
    InjectKey(window, VK_SPACE, false);
    InjectKey(window, VK_SPACE, true);
    InjectKey(window, VK_SPACE, false);
    Drain();
    GetKeyboardState(state);
    EXPECT_EQ(state[VK_LBUTTON], 0x01);
    EXPECT_EQ(state[VK_SPACE], 0x00);  // toggled back by the second press
}

TEST_F(MessageQueueTest, SidedModifiersSetTheGenericEntryToo) {
    HWND window = MakeWindow();
    InjectKey(window, VK_LSHIFT, true);
    auto taken = Drain();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].wParam, static_cast<WPARAM>(VK_SHIFT));
    EXPECT_NE(GetKeyState(VK_SHIFT) & 0x8000, 0);
    EXPECT_NE(GetKeyState(VK_LSHIFT) & 0x8000, 0);
    EXPECT_EQ(GetKeyState(VK_RSHIFT) & 0x8000, 0);
    InjectKey(window, VK_LSHIFT, false);
    Drain();
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST_F(MessageQueueTest, PostedMessagesComeBeforeInputAndQuitAfterPosted) {
    HWND window = MakeWindow();
    InjectKey(window, 'A', true);
    PostQuitMessage(3);
    PostMessageA(window, WM_NULL + 0x401, 1, 2);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, 0x401u);
    EXPECT_EQ(msg.wParam, 1u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueueTest, FilterByWindowAndRange) {
    HWND first = MakeWindow();
    HWND second = MakeWindow();
    PostMessageA(first, WM_CLOSE + 0x400, 0, 0);
    PostMessageA(second, WM_CLOSE, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, second, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, second);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0x400, 0x500, PM_REMOVE));
}

TEST_F(MessageQueueTest, CloseDestroysThroughTheDefaultProcedureAndDestroySendsInsideTheCall) {
    HWND window = MakeWindow();
    platform::testing::InjectWindowClose(window);
    auto taken = Drain();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(CountReceived(WM_CLOSE), 1);
    EXPECT_EQ(CountReceived(WM_DESTROY), 1);
    EXPECT_EQ(CountReceived(WM_NCDESTROY), 1);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[1].message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(taken[1].wParam, 7u);
}

TEST_F(MessageQueueTest, MessagesOfADestroyedWindowAreDropped) {
    HWND window = MakeWindow();
    PostMessageA(window, 0x401, 0, 0);
    InjectKey(window, 'A', true);
    DestroyWindow(window);
    auto taken = Drain();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].message, static_cast<UINT>(WM_QUIT));
    EXPECT_FALSE(PostMessageA(window, 0x401, 0, 0));
}

TEST_F(MessageQueueTest, MouseMotionIsFollowedBySetCursor) {
    HWND window = MakeWindow();
    platform::testing::InjectMouseMove(window, 5, 6);
    auto taken = Drain();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(taken[1].message, static_cast<UINT>(WM_SETCURSOR));
    EXPECT_EQ(LOWORD(taken[1].lParam), HTCLIENT);
}

TEST_F(MessageQueueTest, WindowStateChangesBecomeSizeMessages) {
    HWND window = MakeWindow();
    platform::testing::InjectWindowMinimized(window);
    platform::testing::InjectWindowRestored(window);
    platform::testing::InjectWindowMaximized(window);
    platform::testing::InjectWindowResized(window, 800, 600);
    platform::testing::InjectWindowResized(window, 800, 600);  // no change: no message
    auto taken = Drain();
    std::vector<std::pair<WPARAM, LPARAM>> sizes;
    for (const MSG& msg : taken) {
        if (msg.message == WM_SIZE) {
            sizes.emplace_back(msg.wParam, msg.lParam);
        }
    }
    ASSERT_EQ(sizes.size(), 4u);
    EXPECT_EQ(sizes[0].first, static_cast<WPARAM>(SIZE_MINIMIZED));
    EXPECT_EQ(sizes[1], std::make_pair(WPARAM{SIZE_RESTORED}, MAKELPARAM(640, 480)));
    EXPECT_EQ(sizes[2], std::make_pair(WPARAM{SIZE_MAXIMIZED}, MAKELPARAM(640, 480)));
    EXPECT_EQ(sizes[3], std::make_pair(WPARAM{SIZE_MAXIMIZED}, MAKELPARAM(800, 600)));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_TRUE(IsZoomed(window));
}

}  // namespace

namespace {

TEST_F(MessageQueueTest, ExtraButtonsNameThemselvesInTheHighWord) {
    HWND window = MakeWindow();
    InjectMouseButton(window, VK_XBUTTON2, true, 1, 2);
    auto taken = Drain();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].message, static_cast<UINT>(WM_XBUTTONDOWN));
    EXPECT_EQ(GET_XBUTTON_WPARAM(taken[0].wParam), XBUTTON2);
    EXPECT_EQ(LOWORD(taken[0].wParam), MK_XBUTTON2);
    EXPECT_NE(GetKeyState(VK_XBUTTON2) & 0x8000, 0);
}

}  // namespace
