// What the browser backend's files share: the one canvas the page shows, and the window that
// stands for it.
#pragma once

#include <cstdint>

namespace platform::web {

// The page's canvas element, as html5.h names targets.
inline constexpr const char* kCanvas = "#canvas";

// The window drawn into the canvas (the last one shown), 0 for none.
uint32_t CanvasWindow();

// Starts delivering the page's keys, mouse buttons, motion, wheel, focus and blur as events
// for `window` (once; later calls change only the window).
void ListenToPage(uint32_t window);

}  // namespace platform::web
