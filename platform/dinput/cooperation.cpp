// Cooperative levels against the desktop's input focus.
#include "dinput/cooperation.h"

#include "sdl/backend.h"
#include "win32/window_table.h"

namespace platform::dinput {

HRESULT Cooperation::SetLevel(HWND hwnd, DWORD flags, bool deviceAcquired,
                              bool exclusiveBackgroundAllowed) {
    DWORD sharing = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
    DWORD focus = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
    if (sharing == 0 || sharing == (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE) || focus == 0 ||
        focus == (DISCL_FOREGROUND | DISCL_BACKGROUND) || !hwnd || !IsWindow(hwnd)) {
        return DIERR_INVALIDPARAM;
    }
    if (sharing == DISCL_EXCLUSIVE && focus == DISCL_BACKGROUND && !exclusiveBackgroundAllowed) {
        return DIERR_UNSUPPORTED;
    }
    if (deviceAcquired) {
        return DIERR_ACQUIRED;
    }
    window = hwnd;
    foreground = focus == DISCL_FOREGROUND;
    return DI_OK;
}

bool Cooperation::HasFocus() const {
    if (!foreground) {
        return true;
    }
    uint32_t sdlWindow = win32::SdlWindowOf(window);
    return sdlWindow != 0 && sdl::FocusedWindow() == sdlWindow;
}

HRESULT Cooperation::Acquire() {
    if (!HasFocus()) {
        acquired = false;
        return DIERR_OTHERAPPHASPRIO;
    }
    if (acquired) {
        return S_FALSE;
    }
    acquired = true;
    return DI_OK;
}

HRESULT Cooperation::Unacquire() {
    if (!acquired) {
        return DI_NOEFFECT;
    }
    acquired = false;
    return DI_OK;
}

HRESULT Cooperation::CheckAcquired() {
    if (!acquired) {
        return DIERR_NOTACQUIRED;
    }
    if (!HasFocus()) {
        acquired = false;
        return DIERR_INPUTLOST;
    }
    return DI_OK;
}

}  // namespace platform::dinput
