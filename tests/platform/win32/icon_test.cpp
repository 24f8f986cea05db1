// Icons: the program's icon resources as LoadIconA and LoadImageA serve them, and the class
// icon a window shows on the desktop.
#include <vector>

#include "platform/win32/WindowTest.h"
#include "win32/program_resources.h"

namespace {

using platform::testing::IconImage;
using platform::testing::Image;
using platform::testing::WindowIcon;
using platform::win32::RegisterIconResource;

// Each pixel tells where it came from: x in green, y in blue, the picture's size in red.
std::vector<uint32_t> Coordinates(int size) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            pixels.push_back(0xFF000000u | uint32_t(size) << 16 | uint32_t(x) << 8 | uint32_t(y));
        }
    }
    return pixels;
}

void RegisterGroup(int id, std::vector<int> sizes) {
    for (int size : sizes) {
        ASSERT_TRUE(RegisterIconResource(id, size, size, Coordinates(size).data()));
    }
}

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

class Win32IconTest : public WindowTest {
  protected:
    HWND MakeWindowOfClass(const char* name, HICON icon, HICON smallIcon) {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = Module();
        wc.hIcon = icon;
        wc.hIconSm = smallIcon;
        wc.lpszClassName = name;
        EXPECT_NE(RegisterClassExA(&wc), 0);
        classes.push_back(name);
        HWND window = CreateWindowExA(0, name, "icon", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                      nullptr, Module(), nullptr);
        windows.push_back(window);
        return window;
    }

    void TearDown() override {
        WindowTest::TearDown();
        for (const char* name : classes) {
            UnregisterClassA(name, Module());
        }
    }

    std::vector<const char*> classes;
};

TEST_F(Win32IconTest, OnlyRegisteredResourcesOfTheProgramAreFound) {
    RegisterGroup(201, {32});
    EXPECT_EQ(LoadIconA(Module(), MAKEINTRESOURCE(202)), nullptr);
    EXPECT_EQ(LoadImageA(Module(), MAKEINTRESOURCE(202), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR),
              nullptr);
    EXPECT_EQ(LoadIconA(Module(), "named"), nullptr);  // resources are registered by number
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCE(201)), nullptr);  // not a system icon
    EXPECT_NE(LoadIconA(Module(), MAKEINTRESOURCE(201)), nullptr);

    HICON stock = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_NE(stock, nullptr);
    EXPECT_EQ(IconImage(stock).width, 0);  // the desktop's own picture, none of ours

    const uint32_t pixel = 0xFFFFFFFF;
    EXPECT_FALSE(RegisterIconResource(0, 1, 1, &pixel));
    EXPECT_FALSE(RegisterIconResource(0x10000, 1, 1, &pixel));
    EXPECT_FALSE(RegisterIconResource(203, 0, 1, &pixel));
    EXPECT_FALSE(RegisterIconResource(203, 1, 1, nullptr));
    EXPECT_EQ(LoadIconA(Module(), MAKEINTRESOURCE(203)), nullptr);
}

TEST_F(Win32IconTest, LoadIconGivesTheSystemSizeFromTheGroupAndTheSameHandleEachTime) {
    RegisterGroup(211, {64, 32});
    HICON icon = LoadIconA(Module(), MAKEINTRESOURCE(211));
    EXPECT_EQ(LoadIconA(Module(), MAKEINTRESOURCE(211)), icon);
    Image image = IconImage(icon);
    ASSERT_EQ(image.width, 32);
    ASSERT_EQ(image.height, 32);
    EXPECT_EQ(image.pixels, Coordinates(32));
    EXPECT_EQ(LoadImageA(Module(), MAKEINTRESOURCE(211), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR),
              icon);
}

TEST_F(Win32IconTest, LoadImageScalesTheNearestLargerPictureToTheSizeAskedFor) {
    RegisterGroup(221, {32, 64});
    Image small = IconImage(static_cast<HICON>(
        LoadImageA(Module(), MAKEINTRESOURCE(221), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    ASSERT_EQ(small.width, 16);
    ASSERT_EQ(small.height, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {  // from the 32 x 32 picture, every other pixel
            ASSERT_EQ(small.At(x, y), 0xFF200000u | uint32_t(2 * x + 1) << 8 | uint32_t(2 * y + 1));
        }
    }
    Image own = IconImage(static_cast<HICON>(
        LoadImageA(Module(), MAKEINTRESOURCE(221), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
    EXPECT_EQ(own.width, 64);  // no size asked: the largest as it is
    EXPECT_EQ(own.pixels, Coordinates(64));
    Image large = IconImage(static_cast<HICON>(
        LoadImageA(Module(), MAKEINTRESOURCE(221), IMAGE_ICON, 128, 96, LR_DEFAULTCOLOR)));
    ASSERT_EQ(large.width, 128);
    ASSERT_EQ(large.height, 96);
    EXPECT_EQ(large.At(127, 95), 0xFF400000u | 63u << 8 | 63u);  // grown from the largest
    EXPECT_EQ(large.At(1, 2), 0xFF400000u | 0u << 8 | 1u);
}

TEST_F(Win32IconTest, AWindowShowsItsClassIconOrElseItsSmallIcon) {
    RegisterGroup(231, {32});
    RegisterGroup(232, {48});
    HICON icon = LoadIconA(Module(), MAKEINTRESOURCE(231));
    HICON smallIcon = static_cast<HICON>(
        LoadImageA(Module(), MAKEINTRESOURCE(232), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));

    Image both = WindowIcon(MakeWindowOfClass("IconBoth", icon, smallIcon));
    ASSERT_EQ(both.width, 32);
    EXPECT_EQ(both.pixels, Coordinates(32));

    Image onlySmall = WindowIcon(MakeWindowOfClass("IconSmall", nullptr, smallIcon));
    EXPECT_EQ(onlySmall.width, 16);
    EXPECT_EQ(onlySmall.pixels, IconImage(smallIcon).pixels);

    HWND stock = MakeWindowOfClass("IconStock", LoadIconA(nullptr, IDI_APPLICATION), nullptr);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(WindowIcon(stock).width, 0);
    EXPECT_EQ(WindowIcon(MakeWindow()).width, 0);  // the fixture's class has no icon
}

}  // namespace
