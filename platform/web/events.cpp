// The browser's events as the layer's plain events: a queue that the page's callbacks fill
// (html_input.cpp) and PollEvent empties, with the keys, buttons and focus seen so far.
#include <deque>

#include "sdl/backend.h"

namespace platform::sdl {
namespace {

constexpr int kKeyCount = 512;

bool keysDown[kKeyCount] = {};
uint32_t focusedWindow = 0;
MouseTotals mouse;

// Never destroyed: objects released after main returns may still poll.
std::deque<Event>& Pending() {
    static auto* pending = new std::deque<Event>;
    return *pending;
}

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
        event.key >= 0 && event.key < kKeyCount) {
        keysDown[event.key] = event.kind == Event::Kind::KeyDown;
    } else if (event.kind == Event::Kind::FocusGained) {
        focusedWindow = event.window;
    } else if (event.kind == Event::Kind::FocusLost) {
        // A page without focus is sent no key or button releases.
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

}  // namespace

bool PollEvent(Event* event) {
    if (Pending().empty()) {
        return false;
    }
    *event = Pending().front();
    Pending().pop_front();
    Track(*event);
    return true;
}

void PushEvent(const Event& event) {
    if (event.kind != Event::Kind::None) {
        Pending().push_back(event);
    }
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
    return usage >= 0 && usage < kKeyCount && keysDown[usage];
}

}  // namespace platform::sdl
