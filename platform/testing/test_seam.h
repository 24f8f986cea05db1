// The test seam: what tests and tools need that a real Windows program never does.
// Headless start, a virtual performance counter, captured message boxes, injected input,
// injected failures and device loss, a trace of selected calls, and back-buffer read-back.
// The shipped game calls none of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "d3d9.h"
#include "seam/hooks.h"
#include "windows.h"

struct IDirect3DDevice9;

namespace platform::testing {

using seam::CapturedMessageBox;
using seam::Failure;

// Dummy video and audio drivers, the virtual clock at 0, message boxes and log lines captured, no
// injected failures and an empty trace. Call at the start of every test that touches the layer.
void StartHeadless();

// The virtual performance counter, in nanoseconds (frequency 1,000,000,000). Sleep advances it.
void SetClock(int64_t nanoseconds);
void AdvanceClock(int64_t nanoseconds);
int64_t Clock();

const std::vector<CapturedMessageBox>& MessageBoxes();
void ClearMessageBoxes();

// The layer's log lines (why a load failed). StartHeadless captures them here; with capture
// off they go to stderr as in the shipped game.
void CaptureLogLines(bool capture);
const std::vector<std::string>& LogLines();
void ClearLogLines();

// Makes the next `count` calls of that kind fail (-1: every call until cleared).
void InjectFailure(Failure failure, int count = 1);
void ClearFailures();

// Records the calls tests check the order of (Reset, Present, sprite and device-loss calls...).
void StartTrace();
const std::vector<std::string>& Trace();
void ClearTrace();
// How often a counted event happened since the trace started (e.g. "FusedSpan.Avx512", one
// per span a fused loop drew).
int64_t TraceCount(const std::string& name);

// Input, queued as the desktop would deliver it to the window. Keys are virtual-key codes.
void InjectKey(HWND window, int virtualKey, bool down, bool repeat = false);
void InjectMouseButton(HWND window, int virtualButton, bool down, int x = 0, int y = 0);
// The pointer moved to (x, y) in the window's client area (outside it too, as during a drag);
// the relative motion is the step from the last injected position.
void InjectMouseMove(HWND window, int x, int y);
// Wheel notches: positive away from the user.
void InjectMouseWheel(HWND window, int notches);
// The window loses or gains the input focus (a shown window starts with it).
void InjectFocusLost(HWND window);
void InjectFocusGained(HWND window);
void InjectWindowClose(HWND window);
void InjectWindowResized(HWND window, int width, int height);
void InjectWindowMinimized(HWND window);
void InjectWindowMaximized(HWND window);
void InjectWindowRestored(HWND window);

// Game controllers: SDL's virtual joysticks, the only ones DirectInput lists after
// StartHeadless. Attach returns the controller's id (-1 when SDL cannot make one); axes take
// SDL's values, -32768..32767.
int AttachJoystick(const std::string& name, int axes, int buttons, int hats = 0);
void SetJoystickAxis(int joystick, int axis, int value);
void SetJoystickButton(int joystick, int button, bool down);
void DetachJoystick(int joystick);

// How many times the font file (by the path it was added with) is in the system font table.
int FontFileCount(const std::string& path);

}  // namespace platform::testing

struct IDirect3DDevice9;
struct IDirect3DSurface9;
struct IDirect3DTexture9;

namespace platform::testing {

// Loses the device: Present fails with D3DERR_DEVICELOST; TestCooperativeLevel answers
// D3DERR_DEVICELOST `lostChecks` more times (Reset fails with it meanwhile), then
// D3DERR_DEVICENOTRESET until a Reset succeeds.
void LoseDevice(IDirect3DDevice9* device, int lostChecks = 1);

// Default-pool objects of the device still alive (Reset fails while any is).
int DefaultPoolObjects(IDirect3DDevice9* device);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // ARGB, row by row
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The device's back buffer as it would be presented (an X8R8G8B8 buffer reads alpha 255).
Image ReadBackBuffer(IDirect3DDevice9* device);
// A colour surface (back buffer or texture level); empty for a depth stencil or null.
Image ReadSurface(IDirect3DSurface9* surface);
// One mip level of a texture; empty when there is no such level.
Image ReadTextureLevel(IDirect3DTexture9* texture, int level);

// An icon handle's pixels (straight alpha); empty for the stock icon and unknown handles.
Image IconImage(HICON icon);
// The icon the layer handed to the desktop for a window; empty when it gave none.
Image WindowIcon(HWND window);

}  // namespace platform::testing

namespace platform::testing {

// A borderless window of the given client size with a windowed device on it (X8R8G8B8 back
// buffer, automatic D24S8 depth stencil), for tests and tools that draw without the frame.
struct HeadlessDevice {
    HWND window = nullptr;
    IDirect3D9* d3d = nullptr;
    IDirect3DDevice9* device = nullptr;
    D3DPRESENT_PARAMETERS parameters = {};  // as CreateDevice completed them
};

// False when a step failed; whatever was made is in `out` either way.
bool CreateHeadlessDevice(int width, int height, HeadlessDevice* out);

}  // namespace platform::testing
