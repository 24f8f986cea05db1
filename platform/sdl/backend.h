// The narrow seam between the layer and SDL: windows, events, presenting a frame and message
// boxes, in plain types. Everything else in the layer talks to SDL only through this file.
// Key codes are USB HID keyboard usages (the numbering SDL's scancodes follow).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::sdl {

// Starts SDL's video (once per use); false when no display is available. Each successful call
// is matched by ReleaseVideo; SDL stops when the last user is gone.
bool AcquireVideo();
void ReleaseVideo();

// Uses the headless video and audio drivers from the next start of SDL on (tests, tools): the
// dummy ones, or for video the offscreen one (OpenGL through EGL, no display) when
// POKUTAN_RENDERER=gl asks for the graphics card's renderer.
void UseHeadlessDrivers();

constexpr int kDefaultPosition = INT32_MIN;

struct WindowSpec {
    std::string title;
    int x = kDefaultPosition;  // client area's top-left on the screen
    int y = kDefaultPosition;
    int width = 0;  // client size
    int height = 0;
    bool bordered = true;
    bool resizable = true;
};

// Returns the window's id, or 0 when the window cannot be made. Windows start hidden.
uint32_t CreateWindow(const WindowSpec& spec);
void DestroyWindow(uint32_t window);
void ShowWindow(uint32_t window, bool shown);
void MinimizeWindow(uint32_t window);
void MaximizeWindow(uint32_t window);
void RestoreWindow(uint32_t window);
void SetWindowBordered(uint32_t window, bool bordered, bool resizable);
void SetWindowGeometry(uint32_t window, int x, int y, int width, int height);
void GetWindowPosition(uint32_t window, int* x, int* y);
void SetFullscreen(uint32_t window, bool fullscreen);
void SetCursorVisible(bool visible);
// Gives the window an icon from straight-alpha ARGB pixels, row by row.
void SetWindowIcon(uint32_t window, const uint32_t* argb, int width, int height);

// The icon last handed to SDL for the window (test seam: some drivers show none); false when
// it has none.
bool WindowIcon(uint32_t window, std::vector<uint32_t>* argb, int* width, int* height);

// Shows 32-bit XRGB pixels in the window, stretched to its whole client area, or letterboxed
// to the picture's aspect ratio when `keepAspect` is set.
void PresentFrame(uint32_t window, const uint32_t* pixels, int width, int height, int pitchBytes,
                  bool keepAspect);

// An OpenGL context on a window, for the renderer that draws on the graphics card.
struct GlContext {
    void* handle = nullptr;  // null: none
    uint32_t window = 0;
    bool es = false;  // OpenGL ES 3.0; otherwise desktop OpenGL 3.3 core
};

// Makes an OpenGL ES 3.0 context on the window (desktop 3.3 core when ES cannot be had), current
// on the calling thread; on failure the handle is null and `why` says why.
GlContext CreateGlContext(uint32_t window, std::string* why);
bool MakeGlCurrent(const GlContext& context);
void DestroyGlContext(GlContext& context);
// Shows what was drawn into the window's default framebuffer.
void SwapGlWindow(const GlContext& context);
// The window's size in framebuffer pixels.
void GlDrawableSize(const GlContext& context, int* width, int* height);

// True when the desktop showed the box; false when no display could show it.
bool ShowMessageBox(const std::string& caption, const std::string& text);

struct Event {
    enum class Kind {
        None,
        KeyDown,
        KeyUp,
        MouseButtonDown,
        MouseButtonUp,
        MouseMotion,
        MouseWheel,
        WindowClose,
        WindowResized,
        WindowMinimized,
        WindowMaximized,
        WindowRestored,
        FocusGained,
        FocusLost,
        Quit
    };
    Kind kind = Kind::None;
    uint32_t window = 0;
    int key = 0;  // HID usage for key events
    bool repeat = false;
    int button = 0;  // 1 left, 2 middle, 3 right, 4 and 5 the extra buttons
    int x = 0;       // mouse position in the client area; new size for WindowResized
    int y = 0;
    int deltaX = 0;  // relative motion, wheel steps
    int deltaY = 0;
};

// Takes the next pending event; false when there is none.
bool PollEvent(Event* event);

// Queues an event as if the desktop had sent it (test seam).
void PushEvent(const Event& event);

// The window that has the input focus, 0 for none. A window takes it when it is shown, as a
// newly shown window comes to the foreground, and it moves with the desktop's focus events.
uint32_t FocusedWindow();
void SetFocusedWindow(uint32_t window);

// The mouse as of the events taken with PollEvent so far: motion and wheel steps summed since
// the start (readers keep their own last totals), the buttons down (bit 0 left, 1 middle,
// 2 right, 3 and 4 the extra buttons), and the last position reported over a window.
struct MouseTotals {
    int64_t motionX = 0;
    int64_t motionY = 0;
    int64_t wheelSteps = 0;
    uint32_t buttonsDown = 0;
    uint32_t cursorWindow = 0;  // 0 until the pointer was seen over a window
    int cursorX = 0;            // in that window's client area, not clamped
    int cursorY = 0;
};
const MouseTotals& Mouse();

// Whether a key (HID usage, 0..511) is down, as of the key events taken with PollEvent so far.
// Injected events count like real ones, so devices that read the keyboard's state see them too.
bool IsKeyDown(int usage);

}  // namespace platform::sdl
