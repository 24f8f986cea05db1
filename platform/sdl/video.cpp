// SDL's video for the layer: start and stop, one SDL window per Win32 window, presenting.
#include <SDL.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "sdl/backend.h"

namespace platform::sdl {
namespace {

struct WindowEntry {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    std::vector<uint32_t> icon;  // as handed to SDL
    int iconWidth = 0;
    int iconHeight = 0;
};

int videoUsers = 0;

// Never destroyed: objects released by the runtime after main returns may still look here.
std::map<uint32_t, WindowEntry>& Windows() {
    static auto* windows = new std::map<uint32_t, WindowEntry>;
    return *windows;
}

WindowEntry* Find(uint32_t window) {
    auto it = Windows().find(window);
    return it == Windows().end() ? nullptr : &it->second;
}

int Position(int value) {
    return value == kDefaultPosition ? SDL_WINDOWPOS_UNDEFINED : value;
}

void DestroyPresenter(WindowEntry& entry) {
    if (entry.texture) {
        SDL_DestroyTexture(entry.texture);
    }
    if (entry.renderer) {
        SDL_DestroyRenderer(entry.renderer);
    }
    entry.texture = nullptr;
    entry.renderer = nullptr;
}

bool EnsureTexture(WindowEntry& entry, int width, int height) {
    if (!entry.renderer) {
        entry.renderer = SDL_CreateRenderer(entry.window, -1, 0);
        if (!entry.renderer) {
            return false;
        }
    }
    if (entry.texture && entry.textureWidth == width && entry.textureHeight == height) {
        return true;
    }
    if (entry.texture) {
        SDL_DestroyTexture(entry.texture);
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    entry.texture = SDL_CreateTexture(entry.renderer, SDL_PIXELFORMAT_ARGB8888,
                                      SDL_TEXTUREACCESS_STREAMING, width, height);
    if (entry.texture) {
        // A presented frame shows its colours; the alpha byte (undefined in X8R8G8B8) is ignored.
        SDL_SetTextureBlendMode(entry.texture, SDL_BLENDMODE_NONE);
    }
    entry.textureWidth = width;
    entry.textureHeight = height;
    return entry.texture != nullptr;
}

}  // namespace

void UseHeadlessDrivers() {
    const char* renderer = std::getenv("POKUTAN_RENDERER");
    const bool gl = renderer && std::string(renderer) == "gl";
    setenv("SDL_VIDEODRIVER", gl ? "offscreen" : "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

bool AcquireVideo() {
    if (videoUsers == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        return false;
    }
    ++videoUsers;
    return true;
}

void ReleaseVideo() {
    if (videoUsers > 0 && --videoUsers == 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }
}

uint32_t CreateWindow(const WindowSpec& spec) {
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    if (!spec.bordered) {
        flags |= SDL_WINDOW_BORDERLESS;
    }
    if (spec.resizable) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    const int width = spec.width > 0 ? spec.width : 1;
    const int height = spec.height > 0 ? spec.height : 1;
    // Made for OpenGL from the start: SDL's accelerated renderers (and its software one, whose
    // window surface SDL backs with one of them) need an OpenGL window, and SDL replaces a
    // window without the flag by a new one (a new X window) when the first renderer is made.
    // Drivers without OpenGL (the headless one) get a plain window.
    SDL_Window* window = SDL_CreateWindow(spec.title.c_str(), Position(spec.x), Position(spec.y),
                                          width, height, flags | SDL_WINDOW_OPENGL);
    if (!window) {
        window = SDL_CreateWindow(spec.title.c_str(), Position(spec.x), Position(spec.y), width,
                                  height, flags);
    }
    if (!window) {
        return 0;
    }
    uint32_t id = SDL_GetWindowID(window);
    Windows()[id].window = window;
    return id;
}

void DestroyWindow(uint32_t window) {
    WindowEntry* entry = Find(window);
    if (!entry) {
        return;
    }
    DestroyPresenter(*entry);
    SDL_DestroyWindow(entry->window);
    if (FocusedWindow() == window) {
        SetFocusedWindow(0);
    }
    Windows().erase(window);
}

void ShowWindow(uint32_t window, bool shown) {
    if (WindowEntry* entry = Find(window)) {
        shown ? SDL_ShowWindow(entry->window) : SDL_HideWindow(entry->window);
        if (shown) {
            SetFocusedWindow(window);
        } else if (FocusedWindow() == window) {
            SetFocusedWindow(0);
        }
    }
}

void MinimizeWindow(uint32_t window) {
    if (WindowEntry* entry = Find(window)) {
        SDL_MinimizeWindow(entry->window);
    }
}

void MaximizeWindow(uint32_t window) {
    if (WindowEntry* entry = Find(window)) {
        SDL_MaximizeWindow(entry->window);
    }
}

void RestoreWindow(uint32_t window) {
    if (WindowEntry* entry = Find(window)) {
        SDL_RestoreWindow(entry->window);
    }
}

void SetWindowBordered(uint32_t window, bool bordered, bool resizable) {
    if (WindowEntry* entry = Find(window)) {
        SDL_SetWindowBordered(entry->window, bordered ? SDL_TRUE : SDL_FALSE);
        SDL_SetWindowResizable(entry->window, resizable ? SDL_TRUE : SDL_FALSE);
    }
}

void SetWindowGeometry(uint32_t window, int x, int y, int width, int height) {
    if (WindowEntry* entry = Find(window)) {
        SDL_SetWindowPosition(entry->window, x, y);
        SDL_SetWindowSize(entry->window, width > 0 ? width : 1, height > 0 ? height : 1);
    }
}

void GetWindowPosition(uint32_t window, int* x, int* y) {
    *x = 0;
    *y = 0;
    if (WindowEntry* entry = Find(window)) {
        SDL_GetWindowPosition(entry->window, x, y);
    }
}

void SetFullscreen(uint32_t window, bool fullscreen) {
    if (WindowEntry* entry = Find(window)) {
        SDL_SetWindowFullscreen(entry->window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    }
}

void SetCursorVisible(bool visible) {
    if (videoUsers > 0) {
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }
}

void SetWindowIcon(uint32_t window, const uint32_t* argb, int width, int height) {
    WindowEntry* entry = Find(window);
    if (!entry || !argb || width <= 0 || height <= 0) {
        return;
    }
    entry->icon.assign(argb, argb + static_cast<size_t>(width) * height);
    entry->iconWidth = width;
    entry->iconHeight = height;
    // SDL copies the surface's pixels, so the surface may wrap ours for the call.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(entry->icon.data(), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface) {
        SDL_SetWindowIcon(entry->window, surface);
        SDL_FreeSurface(surface);
    }
}

bool WindowIcon(uint32_t window, std::vector<uint32_t>* argb, int* width, int* height) {
    WindowEntry* entry = Find(window);
    if (!entry || entry->icon.empty()) {
        return false;
    }
    *argb = entry->icon;
    *width = entry->iconWidth;
    *height = entry->iconHeight;
    return true;
}

void PresentFrame(uint32_t window, const uint32_t* pixels, int width, int height, int pitchBytes,
                  bool keepAspect) {
    WindowEntry* entry = Find(window);
    if (!entry || !EnsureTexture(*entry, width, height)) {
        return;
    }
    SDL_UpdateTexture(entry->texture, nullptr, pixels, pitchBytes);
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(entry->renderer, &outputWidth, &outputHeight);
    SDL_Rect target = {0, 0, outputWidth, outputHeight};
    if (keepAspect && width > 0 && height > 0) {
        // Letterbox: the largest rectangle of the picture's shape, centred.
        if (int64_t{outputWidth} * height > int64_t{outputHeight} * width) {
            target.w = static_cast<int>(int64_t{outputHeight} * width / height);
        } else {
            target.h = static_cast<int>(int64_t{outputWidth} * height / width);
        }
        target.x = (outputWidth - target.w) / 2;
        target.y = (outputHeight - target.h) / 2;
    }
    SDL_SetRenderDrawColor(entry->renderer, 0, 0, 0, 255);
    SDL_RenderClear(entry->renderer);
    SDL_RenderCopy(entry->renderer, entry->texture, nullptr, &target);
    SDL_RenderPresent(entry->renderer);
}

bool ShowMessageBox(const std::string& caption, const std::string& text) {
    if (!AcquireVideo()) {
        return false;
    }
    bool shown =
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) == 0;
    ReleaseVideo();
    return shown;
}

}  // namespace platform::sdl
