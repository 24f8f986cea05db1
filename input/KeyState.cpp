// The key-state snapshot and the per-step record of fresh presses.
#include "input/KeyState.h"

#include <cstring>

namespace {

constexpr int kKeyCount = 256;

KeyState keyState;  // zero-initialised static storage: needs no construction

// Keys whose fresh down message arrived since the last snapshot, and those of the snapshot.
bool wentDownSinceSnapshot[kKeyCount];
bool pressedThisStep[kKeyCount];

constexpr LPARAM kPreviouslyDownBit = LPARAM{1} << 30;

// The virtual key a fresh down message is about; 0 for every other message.
int FreshDownKey(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Auto-repeat downs carry the previous-state bit: the key is held, not pressed.
            if (lParam & kPreviouslyDownBit) {
                return 0;
            }
            return wParam < kKeyCount ? static_cast<int>(wParam) : 0;
        case WM_LBUTTONDOWN:
            return VK_LBUTTON;
        case WM_RBUTTONDOWN:
            return VK_RBUTTON;
        case WM_MBUTTONDOWN:
            return VK_MBUTTON;
        case WM_XBUTTONDOWN:
            switch (HIWORD(wParam)) {
                case 1:
                    return VK_XBUTTON1;
                case 2:
                    return VK_XBUTTON2;
                default:
                    return 0;
            }
        default:
            return 0;
    }
}

}  // namespace

KeyState* KeyStateBuffer() {
    return &keyState;
}

void UpdateKeyState() {
    std::memcpy(keyState.previous, keyState.current, sizeof keyState.current);
    GetKeyboardState(keyState.current);
    for (int key = 0; key < kKeyCount; ++key) {
        pressedThisStep[key] = wentDownSinceSnapshot[key];
        wentDownSinceSnapshot[key] = false;
    }
}

void NoteKeyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (int key = FreshDownKey(message, wParam, lParam)) {
        wentDownSinceSnapshot[key] = true;
    }
}

bool IsKeyPressed(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= kKeyCount) {
        return false;
    }
    bool wentDown =
        (keyState.current[virtualKey] & 0x80) && !(keyState.previous[virtualKey] & 0x80);
    return wentDown || pressedThisStep[virtualKey];
}
