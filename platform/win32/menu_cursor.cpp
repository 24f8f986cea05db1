// Menus and cursors. The game only moves a menu between its window and back and shows the
// class cursor or none, so these are light handle tables. Icons are in icon.cpp.
#include <set>

#include "sdl/backend.h"
#include "win32/window_table.h"
#include "windows.h"

namespace {

std::set<uintptr_t>& Menus() {
    static auto* menus = new std::set<uintptr_t>;  // never destroyed, like the window table
    return *menus;
}

uintptr_t nextMenu = 0x20000;

// The stock cursor: one handle; the desktop draws its own arrow.
HCURSOR const kArrowCursor = reinterpret_cast<HCURSOR>(uintptr_t{0x30001});
HCURSOR currentCursor = nullptr;

bool IsResource(LPCSTR name, LPCSTR stock) {
    return name == stock;
}

}  // namespace

HMENU CreateMenu() {
    uintptr_t handle = nextMenu;
    nextMenu += 0x10;
    Menus().insert(handle);
    return reinterpret_cast<HMENU>(handle);
}

HMENU GetMenu(HWND hWnd) {
    platform::win32::Window* window = platform::win32::FindWindow(hWnd);
    return window ? window->menu : nullptr;
}

BOOL SetMenu(HWND hWnd, HMENU menu) {
    platform::win32::Window* window = platform::win32::FindWindow(hWnd);
    if (!window || (menu && !Menus().count(reinterpret_cast<uintptr_t>(menu)))) {
        return FALSE;
    }
    window->menu = menu;
    return TRUE;
}

BOOL DestroyMenu(HMENU menu) {
    return Menus().erase(reinterpret_cast<uintptr_t>(menu)) ? TRUE : FALSE;
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    // Only the system's stock arrow exists; the program carries no cursor resources.
    return !instance && IsResource(name, IDC_ARROW) ? kArrowCursor : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = currentCursor;
    currentCursor = cursor;
    platform::sdl::SetCursorVisible(cursor != nullptr);
    return previous;
}

int ShowCursor(BOOL show) {
    static int displayCount = 0;
    displayCount += show ? 1 : -1;
    platform::sdl::SetCursorVisible(displayCount >= 0);
    return displayCount;
}
