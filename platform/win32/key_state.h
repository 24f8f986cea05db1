// The thread's key-state table behind GetKeyboardState: bit 7 while a key or mouse button is
// down, bit 0 toggled by each press. Updated as input messages are removed from the queue.
#pragma once

namespace platform::win32 {

void SetKeyDown(int virtualKey, bool down);

}  // namespace platform::win32
