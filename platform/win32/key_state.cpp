// Key-state table and its readers.
#include "win32/key_state.h"

#include <cstring>

#include "win32/key_codes.h"
#include "windows.h"

namespace platform::win32 {
namespace {

BYTE table[256] = {};

void Apply(int virtualKey, bool down) {
    BYTE& entry = table[virtualKey & 0xFF];
    if (down && !(entry & 0x80)) {
        entry ^= 0x01;
    }
    entry = static_cast<BYTE>(down ? (entry | 0x80) : (entry & ~0x80));
}

}  // namespace

void SetKeyDown(int virtualKey, bool down) {
    Apply(virtualKey, down);
    if (int generic = GenericModifierOf(virtualKey)) {
        // The generic modifier is down while either of its two keys is.
        int left = generic == VK_SHIFT ? VK_LSHIFT : generic == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
        bool either = (table[left] & 0x80) || (table[left + 1] & 0x80);
        Apply(generic, either);
    }
}

}  // namespace platform::win32

BOOL GetKeyboardState(PBYTE keyState) {
    if (!keyState) {
        return FALSE;
    }
    std::memcpy(keyState, platform::win32::table, sizeof platform::win32::table);
    return TRUE;
}

short GetKeyState(int virtualKey) {
    BYTE entry = platform::win32::table[virtualKey & 0xFF];
    return static_cast<short>(((entry & 0x80) ? 0x8000 : 0) | (entry & 0x01));
}
