// The thread's message queue inside the layer: what window code needs besides the public calls.
#pragma once

#include "windows.h"

namespace platform::win32 {

// Drops every queued message of a window that is being destroyed.
void DropMessagesFor(HWND handle);

// Queues a WM_SIZE as the desktop's own size change would.
void QueueSizeMessage(HWND handle, WPARAM kind, int width, int height);

}  // namespace platform::win32
