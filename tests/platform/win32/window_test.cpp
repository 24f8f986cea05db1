// Window classes and windows: registration, geometry, style and procedure changes, menus.
#include "platform/win32/WindowTest.h"

namespace {

class Win32WindowTest : public WindowTest {};

LRESULT CALLBACK Other(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(Win32WindowTest, ClassNamesAreUniquePerInstanceAndUnknownClassesMakeNoWindow) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Other;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TestClass";
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    wc.cbSize = 0;
    wc.lpszClassName = "Another";
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    EXPECT_EQ(CreateWindowExA(0, "Missing", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
    EXPECT_FALSE(UnregisterClassA("Missing", GetModuleHandleA(nullptr)));
}

TEST_F(Win32WindowTest, AdjustWindowRectAddsTheFrameOfTheStyle) {
    RECT rect = {0, 0, 640, 480};
    ASSERT_TRUE(AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE));
    EXPECT_EQ(rect.left, -8);
    EXPECT_EQ(rect.top, -31);
    EXPECT_EQ(rect.right, 648);
    EXPECT_EQ(rect.bottom, 488);
    RECT popup = {0, 0, 640, 480};
    AdjustWindowRect(&popup, WS_POPUP, FALSE);
    EXPECT_EQ(popup.right - popup.left, 640);
}

TEST_F(Win32WindowTest, CreationSendsCreateToTheClassProcedureAndSetsTheGeometry) {
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(CountReceived(WM_CREATE), 1);
    RECT rect;
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(rect.right - rect.left, 656);
    EXPECT_EQ(rect.bottom - rect.top, 519);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
}

TEST_F(Win32WindowTest, SetWindowLongSwapsTheProcedureAndStyle) {
    HWND window = MakeWindow();
    LONG_PTR previous = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Other));
    EXPECT_EQ(previous, reinterpret_cast<LONG_PTR>(&WindowTest::Recorder));
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Other));
    Log().clear();
    SendMessageA(window, 0x401, 0, 0);
    EXPECT_TRUE(Log().empty());
    SetWindowLongA(window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), WS_POPUP | WS_VISIBLE);
}

TEST_F(Win32WindowTest, SetWindowPosSendsSizeInsideTheCallOnlyWhenTheClientSizeChanges) {
    HWND window = MakeWindow();
    Log().clear();
    SetWindowPos(window, HWND_NOTOPMOST, 10, 20, 656, 519, SWP_SHOWWINDOW);
    EXPECT_EQ(CountReceived(WM_SIZE), 0);
    SetWindowPos(window, HWND_NOTOPMOST, 10, 20, 816, 639, SWP_SHOWWINDOW);
    ASSERT_EQ(CountReceived(WM_SIZE), 1);
    EXPECT_EQ(Log().back().lParam, MAKELPARAM(800, 600));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
}

TEST_F(Win32WindowTest, MenusMoveBetweenWindowsAndDieWithTheirWindow) {
    HWND window = MakeWindow();
    HMENU menu = CreateMenu();
    ASSERT_TRUE(SetMenu(window, menu));
    EXPECT_EQ(GetMenu(window), menu);
    ASSERT_TRUE(SetMenu(window, nullptr));
    EXPECT_EQ(GetMenu(window), nullptr);
    ASSERT_TRUE(SetMenu(window, menu));
    DestroyWindow(window);
    EXPECT_FALSE(DestroyMenu(menu));  // destroyed with the window
}

TEST_F(Win32WindowTest, DefaultProcedureShowsTheClassCursorInTheClientArea) {
    HWND window = MakeWindow();
    SetCursor(nullptr);
    EXPECT_EQ(DefWindowProcA(window, WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(SetCursor(nullptr), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(Win32WindowTest, PerformanceCounterRunsOnTheVirtualClockAndSleepAdvancesIt) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    EXPECT_EQ(frequency.QuadPart, 1000000000);
    platform::testing::SetClock(5);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    EXPECT_EQ(now.QuadPart, 5);
    Sleep(100);
    QueryPerformanceCounter(&now);
    EXPECT_EQ(now.QuadPart, 100000005);
}

}  // namespace
