// Tables of window classes and windows.
#include "win32/window_table.h"

#include <map>
#include <vector>

#include "sdl/backend.h"

namespace platform::win32 {
namespace {

// Never destroyed: objects released by the runtime after main returns may still look here.
std::vector<WindowClass>& Classes() {
    static auto* classes = new std::vector<WindowClass>;
    return *classes;
}

std::map<uintptr_t, Window>& Windows() {
    static auto* windows = new std::map<uintptr_t, Window>;
    return *windows;
}

uintptr_t nextHandle = 0x10000;

uintptr_t Key(HWND handle) {
    return reinterpret_cast<uintptr_t>(handle);
}

constexpr LONG kCaptionHeight = 23;
constexpr LONG kSizingBorder = 8;
constexpr LONG kFixedBorder = 3;

}  // namespace

WindowClass* FindClass(const std::string& name, HINSTANCE instance) {
    for (WindowClass& windowClass : Classes()) {
        if (windowClass.name == name && windowClass.instance == instance) {
            return &windowClass;
        }
    }
    return nullptr;
}

bool AddClass(const WindowClass& windowClass) {
    if (FindClass(windowClass.name, windowClass.instance)) {
        return false;
    }
    Classes().push_back(windowClass);
    return true;
}

bool RemoveClass(const std::string& name, HINSTANCE instance) {
    auto& classes = Classes();
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        if (it->name == name && it->instance == instance) {
            classes.erase(it);
            return true;
        }
    }
    return false;
}

Window* FindWindow(HWND handle) {
    auto it = Windows().find(Key(handle));
    return it == Windows().end() ? nullptr : &it->second;
}

Window* FindWindowOfSdl(uint32_t sdlWindow) {
    for (auto& [key, window] : Windows()) {
        if (window.sdlWindow == sdlWindow && sdlWindow != 0) {
            return &window;
        }
    }
    return nullptr;
}

Window& AddWindow(const Window& window) {
    uintptr_t key = nextHandle;
    nextHandle += 0x10;
    Window& added = Windows()[key] = window;
    added.handle = reinterpret_cast<HWND>(key);
    return added;
}

void RemoveWindow(HWND handle) {
    Windows().erase(Key(handle));
}

int WindowCount() {
    return static_cast<int>(Windows().size());
}

std::vector<HWND> AllWindows() {
    std::vector<HWND> handles;
    for (auto& [key, window] : Windows()) {
        handles.push_back(window.handle);
    }
    return handles;
}

RECT FrameOf(DWORD style) {
    LONG border = 0;
    if (style & WS_THICKFRAME) {
        border = kSizingBorder;
    } else if ((style & WS_CAPTION) == WS_CAPTION) {
        border = kFixedBorder;
    }
    LONG caption = (style & WS_CAPTION) == WS_CAPTION ? kCaptionHeight : 0;
    return RECT{border, border + caption, border, border};
}

bool GetClientSize(HWND handle, int* width, int* height) {
    Window* window = FindWindow(handle);
    if (!window) {
        return false;
    }
    *width = window->clientWidth;
    *height = window->clientHeight;
    return true;
}

uint32_t SdlWindowOf(HWND handle) {
    Window* window = FindWindow(handle);
    return window ? window->sdlWindow : 0;
}

void EnterDeviceFullscreen(HWND handle, int width, int height) {
    Window* window = FindWindow(handle);
    if (!window || window->deviceFullscreen) {
        return;
    }
    window->deviceFullscreen = true;
    // As on Windows, the device covers the screen from its top-left corner.
    window->rect = RECT{0, 0, width, height};
    sdl::SetFullscreen(window->sdlWindow, true);
}

void LeaveDeviceFullscreen(HWND handle) {
    Window* window = FindWindow(handle);
    if (!window || !window->deviceFullscreen) {
        return;
    }
    window->deviceFullscreen = false;
    sdl::SetFullscreen(window->sdlWindow, false);
}

}  // namespace platform::win32
