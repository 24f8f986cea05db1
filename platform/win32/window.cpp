// Window classes and windows: registration, creation and destruction, style, position, size.
#include <cstring>

#include "sdl/backend.h"
#include "seam/hooks.h"
#include "win32/message_queue.h"
#include "win32/program_resources.h"
#include "win32/window_table.h"
#include "windows.h"

using platform::win32::Window;
namespace win32 = platform::win32;
namespace sdl = platform::sdl;

namespace {

// Class names may also be atoms (small integers in the pointer); only strings are supported.
bool IsAtom(LPCSTR name) {
    return reinterpret_cast<uintptr_t>(name) < 0x10000;
}

LONG Width(const RECT& r) {
    return r.right - r.left;
}
LONG Height(const RECT& r) {
    return r.bottom - r.top;
}

void ClientSizeOf(const Window& window, int* width, int* height) {
    RECT frame = win32::FrameOf(window.style);
    *width = Width(window.rect) - frame.left - frame.right;
    *height = Height(window.rect) - frame.top - frame.bottom;
    if (*width < 0)
        *width = 0;
    if (*height < 0)
        *height = 0;
}

// The SDL window shows the client area; its screen position is the client's top-left.
void ApplyGeometry(const Window& window) {
    if (window.deviceFullscreen) {
        return;
    }
    RECT frame = win32::FrameOf(window.style);
    int width = 0;
    int height = 0;
    ClientSizeOf(window, &width, &height);
    sdl::SetWindowGeometry(window.sdlWindow, window.rect.left + frame.left,
                           window.rect.top + frame.top, width, height);
}

// Follows the desktop: the user may have moved the window since the program last placed it.
void RefreshPosition(Window& window) {
    if (window.deviceFullscreen || window.minimized) {
        return;
    }
    int x = 0;
    int y = 0;
    sdl::GetWindowPosition(window.sdlWindow, &x, &y);
    RECT frame = win32::FrameOf(window.style);
    LONG width = Width(window.rect);
    LONG height = Height(window.rect);
    window.rect.left = x - frame.left;
    window.rect.top = y - frame.top;
    window.rect.right = window.rect.left + width;
    window.rect.bottom = window.rect.top + height;
}

// The desktop shows one icon per window: the class's, or its small one when it has only that.
// The stock icon has no picture of ours, so the desktop keeps its own default.
void ShowClassIcon(const win32::WindowClass& windowClass, uint32_t sdlWindow) {
    const win32::IconPicture* picture = win32::IconPictureOf(windowClass.icon);
    if (!picture) {
        picture = win32::IconPictureOf(windowClass.smallIcon);
    }
    if (picture) {
        sdl::SetWindowIcon(sdlWindow, picture->argb.data(), picture->width, picture->height);
    }
}

}  // namespace

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpszClassName ||
        IsAtom(wc->lpszClassName) || !wc->lpfnWndProc) {
        return 0;
    }
    if (platform::seam::ShouldFail(platform::seam::Failure::RegisterClass)) {
        return 0;
    }
    win32::WindowClass windowClass;
    windowClass.name = wc->lpszClassName;
    windowClass.style = wc->style;
    windowClass.procedure = wc->lpfnWndProc;
    windowClass.instance = wc->hInstance;
    windowClass.cursor = wc->hCursor;
    windowClass.icon = wc->hIcon;
    windowClass.smallIcon = wc->hIconSm;
    if (!win32::AddClass(windowClass)) {
        return 0;
    }
    static ATOM nextAtom = 0xC000;
    return nextAtom++;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    if (!className || IsAtom(className)) {
        return FALSE;
    }
    return win32::RemoveClass(className, instance) ? TRUE : FALSE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU menu, HINSTANCE instance, LPVOID) {
    if (!className || IsAtom(className)) {
        return nullptr;
    }
    win32::WindowClass* windowClass = win32::FindClass(className, instance);
    if (!windowClass || platform::seam::ShouldFail(platform::seam::Failure::CreateWindow)) {
        return nullptr;
    }
    if (!sdl::AcquireVideo()) {
        return nullptr;
    }
    Window model;
    model.className = className;
    model.procedure = windowClass->procedure;
    model.style = style;
    model.menu = menu;
    model.classCursor = windowClass->cursor;
    RECT frame = win32::FrameOf(style);
    bool defaultPosition = x == CW_USEDEFAULT;
    model.rect = RECT{defaultPosition ? 0 : x, defaultPosition ? 0 : y, 0, 0};
    model.rect.right = model.rect.left + (width == CW_USEDEFAULT ? 640 : width);
    model.rect.bottom = model.rect.top + (width == CW_USEDEFAULT ? 480 : height);
    ClientSizeOf(model, &model.clientWidth, &model.clientHeight);

    sdl::WindowSpec spec;
    spec.title = windowName ? windowName : "";
    spec.x = defaultPosition ? sdl::kDefaultPosition : model.rect.left + frame.left;
    spec.y = defaultPosition ? sdl::kDefaultPosition : model.rect.top + frame.top;
    spec.width = model.clientWidth;
    spec.height = model.clientHeight;
    spec.bordered = (style & WS_CAPTION) == WS_CAPTION;
    spec.resizable = (style & WS_THICKFRAME) != 0;
    model.sdlWindow = sdl::CreateWindow(spec);
    if (model.sdlWindow == 0) {
        sdl::ReleaseVideo();
        return nullptr;
    }
    ShowClassIcon(*windowClass, model.sdlWindow);
    Window& window = win32::AddWindow(model);
    RefreshPosition(window);
    HWND handle = window.handle;
    SendMessageA(handle, WM_CREATE, 0, 0);
    if (style & WS_VISIBLE) {
        ShowWindow(handle, SW_SHOW);
    }
    return handle;
}

BOOL DestroyWindow(HWND hWnd) {
    Window* window = win32::FindWindow(hWnd);
    if (!window) {
        return FALSE;
    }
    SendMessageA(hWnd, WM_DESTROY, 0, 0);
    SendMessageA(hWnd, WM_NCDESTROY, 0, 0);
    window = win32::FindWindow(hWnd);  // the procedure may have run anything
    if (!window) {
        return TRUE;
    }
    if (window->menu) {
        DestroyMenu(window->menu);
    }
    sdl::DestroyWindow(window->sdlWindow);
    win32::DropMessagesFor(hWnd);
    win32::RemoveWindow(hWnd);
    sdl::ReleaseVideo();
    return TRUE;
}

BOOL IsWindow(HWND hWnd) {
    return win32::FindWindow(hWnd) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hWnd, int command) {
    Window* window = win32::FindWindow(hWnd);
    if (!window) {
        return FALSE;
    }
    BOOL wasVisible = window->visible ? TRUE : FALSE;
    switch (command) {
        case SW_HIDE:
            window->visible = false;
            sdl::ShowWindow(window->sdlWindow, false);
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
            window->visible = true;
            sdl::ShowWindow(window->sdlWindow, true);
            sdl::MinimizeWindow(window->sdlWindow);
            break;
        case SW_SHOWMAXIMIZED:
            window->visible = true;
            sdl::ShowWindow(window->sdlWindow, true);
            sdl::MaximizeWindow(window->sdlWindow);
            break;
        default:
            window->visible = true;
            window->style |= WS_VISIBLE;
            sdl::ShowWindow(window->sdlWindow, true);
            break;
    }
    if (command != SW_HIDE) {
        window->style |= WS_VISIBLE;
    } else {
        window->style &= ~static_cast<DWORD>(WS_VISIBLE);
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND hWnd) {
    return win32::FindWindow(hWnd) ? TRUE : FALSE;
}

LONG_PTR SetWindowLongA(HWND hWnd, int index, LONG_PTR value) {
    Window* window = win32::FindWindow(hWnd);
    if (!window) {
        return 0;
    }
    if (index == GWL_WNDPROC) {
        WNDPROC previous = window->procedure;
        if (value) {
            window->procedure = reinterpret_cast<WNDPROC>(value);
        }
        return reinterpret_cast<LONG_PTR>(previous);
    }
    if (index == GWL_STYLE) {
        DWORD previous = window->style;
        window->style = static_cast<DWORD>(value);
        sdl::SetWindowBordered(window->sdlWindow, (window->style & WS_CAPTION) == WS_CAPTION,
                               (window->style & WS_THICKFRAME) != 0);
        bool visible = (window->style & WS_VISIBLE) != 0;
        if (visible != window->visible) {
            window->visible = visible;
            sdl::ShowWindow(window->sdlWindow, visible);
        }
        return static_cast<LONG_PTR>(previous);
    }
    return 0;
}

LONG_PTR GetWindowLongA(HWND hWnd, int index) {
    Window* window = win32::FindWindow(hWnd);
    if (!window) {
        return 0;
    }
    if (index == GWL_WNDPROC) {
        return reinterpret_cast<LONG_PTR>(window->procedure);
    }
    if (index == GWL_STYLE) {
        return static_cast<LONG_PTR>(window->style);
    }
    return 0;
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR value) {
    return SetWindowLongA(hWnd, index, value);
}

LONG_PTR GetWindowLongPtrA(HWND hWnd, int index) {
    return GetWindowLongA(hWnd, index);
}

BOOL SetWindowPos(HWND hWnd, HWND, int x, int y, int cx, int cy, UINT flags) {
    Window* window = win32::FindWindow(hWnd);
    if (!window) {
        return FALSE;
    }
    RECT rect = window->rect;
    if (!(flags & SWP_NOMOVE)) {
        rect = RECT{x, y, x + Width(rect), y + Height(rect)};
    }
    if (!(flags & SWP_NOSIZE)) {
        rect.right = rect.left + cx;
        rect.bottom = rect.top + cy;
    }
    window->rect = rect;
    ApplyGeometry(*window);
    if (flags & SWP_SHOWWINDOW) {
        ShowWindow(hWnd, SW_SHOW);
    }
    // As the default handling of the position change does, WM_SIZE only when the client size
    // changed; it arrives inside this call.
    int width = 0;
    int height = 0;
    ClientSizeOf(*window, &width, &height);
    if (!window->deviceFullscreen &&
        (width != window->clientWidth || height != window->clientHeight)) {
        window->clientWidth = width;
        window->clientHeight = height;
        WPARAM kind = window->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
        SendMessageA(hWnd, WM_SIZE, kind, MAKELPARAM(width, height));
    }
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT rect) {
    Window* window = win32::FindWindow(hWnd);
    if (!window || !rect) {
        return FALSE;
    }
    RefreshPosition(*window);
    *rect = window->rect;
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT rect) {
    Window* window = win32::FindWindow(hWnd);
    if (!window || !rect) {
        return FALSE;
    }
    *rect = RECT{0, 0, window->clientWidth, window->clientHeight};
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
    if (!rect) {
        return FALSE;
    }
    RECT frame = win32::FrameOf(style);
    rect->left -= frame.left;
    rect->top -= frame.top + (menu ? 20 : 0);
    rect->right += frame.right;
    rect->bottom += frame.bottom;
    return TRUE;
}

BOOL IsIconic(HWND hWnd) {
    Window* window = win32::FindWindow(hWnd);
    return window && window->minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd) {
    Window* window = win32::FindWindow(hWnd);
    return window && window->maximized ? TRUE : FALSE;
}
