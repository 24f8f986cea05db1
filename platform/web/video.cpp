// The browser's "video" for the layer: the page has one canvas, and every window the game makes
// is drawn into it (the last one shown). Frames are copied with putImageData; the page's style
// scales the canvas, keeping its aspect ratio. Window placement means nothing on a page and is
// only remembered.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <map>
#include <vector>

#include "sdl/backend.h"
#include "web/web_page.h"

// Copies XRGB rows (little-endian words: blue, green, red, unused) into the canvas as opaque
// RGBA, resizing the canvas to the frame first.
EM_JS(void, pokutan_web_put_frame, (const uint32_t* pixels, int width, int height, int pitchBytes),
      {
          const canvas = document.getElementById('canvas');
          if (!canvas)
              return;
          if (canvas.width != width || canvas.height != height) {
              canvas.width = width;
              canvas.height = height;
          }
          const context = canvas.getContext('2d');
          const picture = context.createImageData(width, height);
          const out = picture.data;
          for (let y = 0; y < height; ++y) {
              const row = pixels + y * pitchBytes;
              for (let x = 0; x < width; ++x) {
                  const at = row + x * 4;
                  const o = (y * width + x) * 4;
                  out[o] = HEAPU8[at + 2];
                  out[o + 1] = HEAPU8[at + 1];
                  out[o + 2] = HEAPU8[at];
                  out[o + 3] = 255;
              }
          }
          context.putImageData(picture, 0, 0);
      });

EM_JS(void, pokutan_web_set_title, (const char* title), { document.title = UTF8ToString(title); });

EM_JS(void, pokutan_web_show_cursor, (int shown), {
    const canvas = document.getElementById('canvas');
    if (canvas)
        canvas.style.cursor = shown ? 'auto' : 'none';
});

EM_JS(void, pokutan_web_alert, (const char* caption, const char* text),
      { window.alert(UTF8ToString(caption) + '\n\n' + UTF8ToString(text)); });

namespace platform::sdl {
namespace {

struct WindowEntry {
    WindowSpec spec;
    std::vector<uint32_t> icon;
    int iconWidth = 0;
    int iconHeight = 0;
};

int videoUsers = 0;
uint32_t nextWindow = 1;
uint32_t canvasWindow = 0;

// Never destroyed: objects released after main returns may still look here.
std::map<uint32_t, WindowEntry>& Windows() {
    static auto* windows = new std::map<uint32_t, WindowEntry>;
    return *windows;
}

WindowEntry* Find(uint32_t window) {
    auto it = Windows().find(window);
    return it == Windows().end() ? nullptr : &it->second;
}

}  // namespace

bool AcquireVideo() {
    ++videoUsers;
    return true;
}

void ReleaseVideo() {
    if (videoUsers > 0) {
        --videoUsers;
    }
}

void UseHeadlessDrivers() {}

uint32_t CreateWindow(const WindowSpec& spec) {
    const uint32_t window = nextWindow++;
    Windows()[window].spec = spec;
    return window;
}

void DestroyWindow(uint32_t window) {
    Windows().erase(window);
    if (canvasWindow == window) {
        canvasWindow = 0;
        web::ListenToPage(0);
    }
}

void ShowWindow(uint32_t window, bool shown) {
    WindowEntry* entry = Find(window);
    if (!entry || !shown) {
        return;
    }
    canvasWindow = window;
    pokutan_web_set_title(entry->spec.title.c_str());
    web::ListenToPage(window);
    // A page that is open has the focus until the browser says otherwise.
    Event focus;
    focus.kind = Event::Kind::FocusGained;
    focus.window = window;
    PushEvent(focus);
}

void MinimizeWindow(uint32_t) {}
void MaximizeWindow(uint32_t) {}
void RestoreWindow(uint32_t) {}

void SetWindowBordered(uint32_t window, bool bordered, bool resizable) {
    if (WindowEntry* entry = Find(window)) {
        entry->spec.bordered = bordered;
        entry->spec.resizable = resizable;
    }
}

void SetWindowGeometry(uint32_t window, int x, int y, int width, int height) {
    if (WindowEntry* entry = Find(window)) {
        entry->spec.x = x;
        entry->spec.y = y;
        entry->spec.width = width;
        entry->spec.height = height;
    }
}

void GetWindowPosition(uint32_t window, int* x, int* y) {
    const WindowEntry* entry = Find(window);
    *x = entry && entry->spec.x != kDefaultPosition ? entry->spec.x : 0;
    *y = entry && entry->spec.y != kDefaultPosition ? entry->spec.y : 0;
}

void SetFullscreen(uint32_t window, bool fullscreen) {
    if (window != canvasWindow) {
        return;
    }
    // Browsers allow this only while a key or click is being handled.
    if (fullscreen) {
        emscripten_request_fullscreen(web::kCanvas, EM_TRUE);
    } else {
        emscripten_exit_fullscreen();
    }
}

void SetCursorVisible(bool visible) {
    pokutan_web_show_cursor(visible ? 1 : 0);
}

void SetWindowIcon(uint32_t window, const uint32_t* argb, int width, int height) {
    if (WindowEntry* entry = Find(window)) {
        entry->icon.assign(argb, argb + static_cast<size_t>(width) * height);
        entry->iconWidth = width;
        entry->iconHeight = height;
    }
}

bool WindowIcon(uint32_t window, std::vector<uint32_t>* argb, int* width, int* height) {
    const WindowEntry* entry = Find(window);
    if (!entry || entry->icon.empty()) {
        return false;
    }
    *argb = entry->icon;
    *width = entry->iconWidth;
    *height = entry->iconHeight;
    return true;
}

void PresentFrame(uint32_t window, const uint32_t* pixels, int width, int height, int pitchBytes,
                  bool) {
    // The page's style keeps the canvas's aspect ratio whatever the caller asks.
    if (window == canvasWindow && pixels && width > 0 && height > 0) {
        pokutan_web_put_frame(pixels, width, height, pitchBytes);
    }
}

bool ShowMessageBox(const std::string& caption, const std::string& text) {
    pokutan_web_alert(caption.c_str(), text.c_str());
    return true;
}

}  // namespace platform::sdl

namespace platform::web {

uint32_t CanvasWindow() {
    return sdl::canvasWindow;
}

}  // namespace platform::web
