// GetCursorPos and ScreenToClient. The desktop under SDL reports the pointer only over the
// program's own windows, so the cursor is where it was last seen there: that window's client
// origin on the screen plus the reported client position. Nothing is clamped, so a pointer
// reported beyond a window's edge (as during a drag) stays beyond it.
#include "sdl/backend.h"
#include "win32/window_table.h"
#include "windows.h"

namespace {

// The top-left of the window's client area in screen coordinates.
POINT ClientOrigin(const platform::win32::Window& window) {
    RECT frame = platform::win32::FrameOf(window.style);
    return POINT{window.rect.left + frame.left, window.rect.top + frame.top};
}

}  // namespace

BOOL GetCursorPos(LPPOINT point) {
    if (!point) {
        return FALSE;
    }
    const platform::sdl::MouseTotals& mouse = platform::sdl::Mouse();
    *point = POINT{mouse.cursorX, mouse.cursorY};
    if (platform::win32::Window* window = platform::win32::FindWindowOfSdl(mouse.cursorWindow)) {
        POINT origin = ClientOrigin(*window);
        point->x += origin.x;
        point->y += origin.y;
    }
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT point) {
    platform::win32::Window* window = platform::win32::FindWindow(hWnd);
    if (!window || !point) {
        return FALSE;
    }
    POINT origin = ClientOrigin(*window);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}
