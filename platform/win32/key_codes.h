// Keyboard numbering: USB HID keyboard usages (what the desktop reports) to Windows
// virtual-key codes, and back for the test seam.
#pragma once

namespace platform::win32 {

// 0 for keys that have no virtual-key code.
int VirtualKeyFromHidUsage(int usage);

// 0 for virtual keys that no keyboard key produces (mouse buttons, for example).
int HidUsageFromVirtualKey(int virtualKey);

// Windows sends modifiers as the generic VK_SHIFT, VK_CONTROL and VK_MENU; the key-state
// table also tracks the left and right keys. 0 when `virtualKey` is not a sided modifier.
int GenericModifierOf(int virtualKey);

}  // namespace platform::win32
