// The test seam over the layer's hooks and the SDL event queue.
#include "test_seam.h"

#include "sdl/backend.h"
#include "sdl/joystick_backend.h"
#include "win32/font_table.h"
#include "win32/key_codes.h"
#include "win32/program_resources.h"
#include "win32/window_table.h"

namespace platform::testing {
namespace {

// Where the last injected pointer event put the pointer, for the relative motion of the next.
int lastMouseX = 0;
int lastMouseY = 0;

void Push(HWND window, sdl::Event event) {
    event.window = win32::SdlWindowOf(window);
    sdl::PushEvent(event);
}

void PushWindowEvent(HWND window, sdl::Event::Kind kind, int x = 0, int y = 0) {
    sdl::Event event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    Push(window, event);
}

int SdlButton(int virtualButton) {
    switch (virtualButton) {
        case VK_LBUTTON:
            return 1;
        case VK_MBUTTON:
            return 2;
        case VK_RBUTTON:
            return 3;
        case VK_XBUTTON1:
            return 4;
        case VK_XBUTTON2:
            return 5;
        default:
            return 0;
    }
}

}  // namespace

void StartHeadless() {
    sdl::UseHeadlessDrivers();
    seam::State& state = seam::GetState();
    state.headless = true;
    state.virtualClock = true;
    state.clockNanoseconds = 0;
    state.captureMessageBoxes = true;
    state.messageBoxes.clear();
    state.captureLog = true;
    state.logLines.clear();
    ClearFailures();
    state.tracing = false;
    state.trace.clear();
    state.counters.clear();
    sdl::ListVirtualJoysticksOnly();
    lastMouseX = 0;
    lastMouseY = 0;
    // Events left over from an earlier test must not reach this one.
    sdl::Event stale;
    while (sdl::PollEvent(&stale)) {
    }
}

void SetClock(int64_t nanoseconds) {
    seam::GetState().virtualClock = true;
    seam::GetState().clockNanoseconds = nanoseconds;
}

void AdvanceClock(int64_t nanoseconds) {
    seam::GetState().clockNanoseconds += nanoseconds;
}

int64_t Clock() {
    return seam::GetState().clockNanoseconds;
}

const std::vector<CapturedMessageBox>& MessageBoxes() {
    return seam::GetState().messageBoxes;
}

void ClearMessageBoxes() {
    seam::GetState().messageBoxes.clear();
}

void CaptureLogLines(bool capture) {
    seam::GetState().captureLog = capture;
}

const std::vector<std::string>& LogLines() {
    return seam::GetState().logLines;
}

void ClearLogLines() {
    seam::GetState().logLines.clear();
}

void InjectFailure(Failure failure, int count) {
    seam::GetState().failures[static_cast<int>(failure)] = count;
}

void ClearFailures() {
    for (int& remaining : seam::GetState().failures) {
        remaining = 0;
    }
}

void StartTrace() {
    seam::GetState().tracing = true;
    seam::GetState().trace.clear();
    seam::GetState().counters.clear();
}

const std::vector<std::string>& Trace() {
    return seam::GetState().trace;
}

void ClearTrace() {
    seam::GetState().trace.clear();
    seam::GetState().counters.clear();
}

int64_t TraceCount(const std::string& name) {
    const auto& counters = seam::GetState().counters;
    const auto found = counters.find(name);
    return found == counters.end() ? 0 : found->second;
}

void InjectKey(HWND window, int virtualKey, bool down, bool repeat) {
    sdl::Event event;
    event.kind = down ? sdl::Event::Kind::KeyDown : sdl::Event::Kind::KeyUp;
    event.key = win32::HidUsageFromVirtualKey(virtualKey);
    event.repeat = repeat;
    Push(window, event);
}

void InjectMouseButton(HWND window, int virtualButton, bool down, int x, int y) {
    sdl::Event event;
    event.kind = down ? sdl::Event::Kind::MouseButtonDown : sdl::Event::Kind::MouseButtonUp;
    event.button = SdlButton(virtualButton);
    event.x = x;
    event.y = y;
    lastMouseX = x;
    lastMouseY = y;
    Push(window, event);
}

void InjectMouseMove(HWND window, int x, int y) {
    sdl::Event event;
    event.kind = sdl::Event::Kind::MouseMotion;
    event.x = x;
    event.y = y;
    event.deltaX = x - lastMouseX;
    event.deltaY = y - lastMouseY;
    lastMouseX = x;
    lastMouseY = y;
    Push(window, event);
}

void InjectMouseWheel(HWND window, int notches) {
    sdl::Event event;
    event.kind = sdl::Event::Kind::MouseWheel;
    event.deltaY = notches;
    Push(window, event);
}

void InjectFocusLost(HWND window) {
    PushWindowEvent(window, sdl::Event::Kind::FocusLost);
}

void InjectFocusGained(HWND window) {
    PushWindowEvent(window, sdl::Event::Kind::FocusGained);
}

int AttachJoystick(const std::string& name, int axes, int buttons, int hats) {
    return sdl::AttachVirtualJoystick(name, axes, buttons, hats);
}

void SetJoystickAxis(int joystick, int axis, int value) {
    sdl::SetVirtualJoystickAxis(joystick, axis, static_cast<int16_t>(value));
}

void SetJoystickButton(int joystick, int button, bool down) {
    sdl::SetVirtualJoystickButton(joystick, button, down);
}

void DetachJoystick(int joystick) {
    sdl::DetachVirtualJoystick(joystick);
}

void InjectWindowClose(HWND window) {
    PushWindowEvent(window, sdl::Event::Kind::WindowClose);
}

void InjectWindowResized(HWND window, int width, int height) {
    PushWindowEvent(window, sdl::Event::Kind::WindowResized, width, height);
}

void InjectWindowMinimized(HWND window) {
    PushWindowEvent(window, sdl::Event::Kind::WindowMinimized);
}

void InjectWindowMaximized(HWND window) {
    PushWindowEvent(window, sdl::Event::Kind::WindowMaximized);
}

void InjectWindowRestored(HWND window) {
    PushWindowEvent(window, sdl::Event::Kind::WindowRestored);
}

int FontFileCount(const std::string& path) {
    return win32::FontFileCount(path);
}

Image IconImage(HICON icon) {
    Image image;
    if (const win32::IconPicture* picture = win32::IconPictureOf(icon)) {
        image.width = picture->width;
        image.height = picture->height;
        image.pixels = picture->argb;
    }
    return image;
}

Image WindowIcon(HWND window) {
    Image image;
    if (!sdl::WindowIcon(win32::SdlWindowOf(window), &image.pixels, &image.width, &image.height)) {
        image = Image{};
    }
    return image;
}

}  // namespace platform::testing
