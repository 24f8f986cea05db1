// The layer's model of Win32 windows and classes: what each HWND is, its procedure, style,
// rectangles and the SDL window that shows it. Shared by the window, message and device code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "windows.h"

namespace platform::win32 {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    HCURSOR cursor = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

struct Window {
    HWND handle = nullptr;
    std::string className;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    RECT rect = {};       // outer rectangle in screen coordinates
    int clientWidth = 0;  // client size the program was last told of
    int clientHeight = 0;
    uint32_t sdlWindow = 0;
    HMENU menu = nullptr;
    HCURSOR classCursor = nullptr;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool deviceFullscreen = false;  // shown full screen by a Direct3D device
};

WindowClass* FindClass(const std::string& name, HINSTANCE instance);
bool AddClass(const WindowClass& windowClass);
bool RemoveClass(const std::string& name, HINSTANCE instance);

Window* FindWindow(HWND handle);
Window* FindWindowOfSdl(uint32_t sdlWindow);
Window& AddWindow(const Window& window);  // assigns the handle
void RemoveWindow(HWND handle);
int WindowCount();
std::vector<HWND> AllWindows();

// Frame around the client area for a style: left, top, right and bottom thickness.
RECT FrameOf(DWORD style);

// The window's client size, or false for an unknown window.
bool GetClientSize(HWND handle, int* width, int* height);
uint32_t SdlWindowOf(HWND handle);

// A Direct3D device shows the window full screen at the given size, or gives it back.
void EnterDeviceFullscreen(HWND handle, int width, int height);
void LeaveDeviceFullscreen(HWND handle);

}  // namespace platform::win32
