// SDL's events as the layer's plain events, and events queued by the test seam.
#include <SDL.h>

#include "sdl/backend.h"

namespace platform::sdl {
namespace {

bool keysDown[SDL_NUM_SCANCODES] = {};
uint32_t focusedWindow = 0;
MouseTotals mouse;

void NoteCursor(const Event& event) {
    mouse.cursorWindow = event.window;
    mouse.cursorX = event.x;
    mouse.cursorY = event.y;
}

void TrackMouse(const Event& event) {
    using Kind = Event::Kind;
    if (event.kind == Kind::MouseMotion) {
        mouse.motionX += event.deltaX;
        mouse.motionY += event.deltaY;
        NoteCursor(event);
    } else if (event.kind == Kind::MouseWheel) {
        mouse.wheelSteps += event.deltaY;
    } else if ((event.kind == Kind::MouseButtonDown || event.kind == Kind::MouseButtonUp) &&
               event.button >= 1 && event.button <= 32) {
        uint32_t bit = 1u << (event.button - 1);
        mouse.buttonsDown = event.kind == Kind::MouseButtonDown ? mouse.buttonsDown | bit
                                                                : mouse.buttonsDown & ~bit;
        NoteCursor(event);
    }
}

void Track(const Event& event) {
    if ((event.kind == Event::Kind::KeyDown || event.kind == Event::Kind::KeyUp) &&
        event.key >= 0 && event.key < SDL_NUM_SCANCODES) {
        keysDown[event.key] = event.kind == Event::Kind::KeyDown;
    } else if (event.kind == Event::Kind::FocusGained) {
        focusedWindow = event.window;
    } else if (event.kind == Event::Kind::FocusLost) {
        // The desktop sends no key or button releases to a window without focus.
        for (bool& down : keysDown) {
            down = false;
        }
        mouse.buttonsDown = 0;
        if (focusedWindow == event.window) {
            focusedWindow = 0;
        }
    } else {
        TrackMouse(event);
    }
}

bool TranslateWindowEvent(const SDL_WindowEvent& in, Event* out) {
    using Kind = Event::Kind;
    out->window = in.windowID;
    switch (in.event) {
        case SDL_WINDOWEVENT_CLOSE:
            out->kind = Kind::WindowClose;
            return true;
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            out->kind = Kind::WindowResized;
            out->x = in.data1;
            out->y = in.data2;
            return true;
        case SDL_WINDOWEVENT_MINIMIZED:
            out->kind = Kind::WindowMinimized;
            return true;
        case SDL_WINDOWEVENT_MAXIMIZED:
            out->kind = Kind::WindowMaximized;
            return true;
        case SDL_WINDOWEVENT_RESTORED:
            out->kind = Kind::WindowRestored;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out->kind = Kind::FocusGained;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out->kind = Kind::FocusLost;
            return true;
        default:
            return false;
    }
}

bool Translate(const SDL_Event& in, Event* out) {
    using Kind = Event::Kind;
    *out = Event{};
    switch (in.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            out->kind = in.type == SDL_KEYDOWN ? Kind::KeyDown : Kind::KeyUp;
            out->window = in.key.windowID;
            out->key = in.key.keysym.scancode;
            out->repeat = in.key.repeat != 0;
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (in.button.which == SDL_TOUCH_MOUSEID && in.button.windowID == 0) {
                return false;
            }
            out->kind =
                in.type == SDL_MOUSEBUTTONDOWN ? Kind::MouseButtonDown : Kind::MouseButtonUp;
            out->window = in.button.windowID;
            out->button = in.button.button;
            out->x = in.button.x;
            out->y = in.button.y;
            return true;
        case SDL_MOUSEMOTION:
            out->kind = Kind::MouseMotion;
            out->window = in.motion.windowID;
            out->x = in.motion.x;
            out->y = in.motion.y;
            out->deltaX = in.motion.xrel;
            out->deltaY = in.motion.yrel;
            return true;
        case SDL_MOUSEWHEEL:
            out->kind = Kind::MouseWheel;
            out->window = in.wheel.windowID;
            out->deltaX = in.wheel.x;
            out->deltaY = in.wheel.y;
            return true;
        case SDL_WINDOWEVENT:
            return TranslateWindowEvent(in.window, out);
        case SDL_QUIT:
            out->kind = Kind::Quit;
            return true;
        default:
            return false;
    }
}

void FillKey(const Event& in, SDL_Event* out) {
    out->type = in.kind == Event::Kind::KeyDown ? SDL_KEYDOWN : SDL_KEYUP;
    out->key.windowID = in.window;
    out->key.state = in.kind == Event::Kind::KeyDown ? SDL_PRESSED : SDL_RELEASED;
    out->key.repeat = in.repeat ? 1 : 0;
    out->key.keysym.scancode = static_cast<SDL_Scancode>(in.key);
    out->key.keysym.sym = SDL_GetKeyFromScancode(out->key.keysym.scancode);
}

void FillWindow(const Event& in, Uint8 event, SDL_Event* out) {
    out->type = SDL_WINDOWEVENT;
    out->window.windowID = in.window;
    out->window.event = event;
    out->window.data1 = in.x;
    out->window.data2 = in.y;
}

}  // namespace

bool PollEvent(Event* event) {
    if (!SDL_WasInit(SDL_INIT_EVENTS)) {
        return false;
    }
    SDL_Event in;
    while (SDL_PollEvent(&in)) {
        if (Translate(in, event)) {
            Track(*event);
            return true;
        }
    }
    return false;
}

void SetFocusedWindow(uint32_t window) {
    focusedWindow = window;
}

uint32_t FocusedWindow() {
    return focusedWindow;
}

const MouseTotals& Mouse() {
    return mouse;
}

bool IsKeyDown(int usage) {
    return usage >= 0 && usage < SDL_NUM_SCANCODES && keysDown[usage];
}

void PushEvent(const Event& in) {
    using Kind = Event::Kind;
    SDL_Event out;
    SDL_zero(out);
    switch (in.kind) {
        case Kind::KeyDown:
        case Kind::KeyUp:
            FillKey(in, &out);
            break;
        case Kind::MouseButtonDown:
        case Kind::MouseButtonUp:
            out.type = in.kind == Kind::MouseButtonDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            out.button.windowID = in.window;
            out.button.button = static_cast<Uint8>(in.button);
            out.button.state = in.kind == Kind::MouseButtonDown ? SDL_PRESSED : SDL_RELEASED;
            out.button.clicks = 1;
            out.button.x = in.x;
            out.button.y = in.y;
            break;
        case Kind::MouseMotion:
            out.type = SDL_MOUSEMOTION;
            out.motion.windowID = in.window;
            out.motion.x = in.x;
            out.motion.y = in.y;
            out.motion.xrel = in.deltaX;
            out.motion.yrel = in.deltaY;
            break;
        case Kind::MouseWheel:
            out.type = SDL_MOUSEWHEEL;
            out.wheel.windowID = in.window;
            out.wheel.x = in.deltaX;
            out.wheel.y = in.deltaY;
            break;
        case Kind::WindowClose:
            FillWindow(in, SDL_WINDOWEVENT_CLOSE, &out);
            break;
        case Kind::WindowResized:
            FillWindow(in, SDL_WINDOWEVENT_RESIZED, &out);
            break;
        case Kind::WindowMinimized:
            FillWindow(in, SDL_WINDOWEVENT_MINIMIZED, &out);
            break;
        case Kind::WindowMaximized:
            FillWindow(in, SDL_WINDOWEVENT_MAXIMIZED, &out);
            break;
        case Kind::WindowRestored:
            FillWindow(in, SDL_WINDOWEVENT_RESTORED, &out);
            break;
        case Kind::FocusGained:
            FillWindow(in, SDL_WINDOWEVENT_FOCUS_GAINED, &out);
            break;
        case Kind::FocusLost:
            FillWindow(in, SDL_WINDOWEVENT_FOCUS_LOST, &out);
            break;
        case Kind::Quit:
            out.type = SDL_QUIT;
            break;
        case Kind::None:
            return;
    }
    SDL_PushEvent(&out);
}

}  // namespace platform::sdl
