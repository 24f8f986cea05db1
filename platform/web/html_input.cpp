// The page's input through html5.h callbacks, turned into the layer's events: keys by their
// physical code as USB HID usages, mouse positions scaled from the canvas's size on the page to
// its 640 x 480 pixels, focus and blur of the page.
#include <emscripten/html5.h>

#include <cstring>
#include <string_view>

#include "sdl/backend.h"
#include "web/web_page.h"

namespace platform::web {
namespace {

using sdl::Event;

uint32_t listenedWindow = 0;

struct NamedKey {
    const char* code;
    int usage;
};

// KeyboardEvent.code values outside the letter and digit runs, with their HID usages.
constexpr NamedKey kNamedKeys[] = {
    {"Enter", 40},        {"Escape", 41},    {"Backspace", 42},  {"Tab", 43},
    {"Space", 44},        {"Minus", 45},     {"Equal", 46},      {"BracketLeft", 47},
    {"BracketRight", 48}, {"Backslash", 49}, {"Semicolon", 51},  {"Quote", 52},
    {"Backquote", 53},    {"Comma", 54},     {"Period", 55},     {"Slash", 56},
    {"CapsLock", 57},     {"Insert", 73},    {"Home", 74},       {"PageUp", 75},
    {"Delete", 76},       {"End", 77},       {"PageDown", 78},   {"ArrowRight", 79},
    {"ArrowLeft", 80},    {"ArrowDown", 81}, {"ArrowUp", 82},    {"ControlLeft", 224},
    {"ShiftLeft", 225},   {"AltLeft", 226},  {"MetaLeft", 227},  {"ControlRight", 228},
    {"ShiftRight", 229},  {"AltRight", 230}, {"MetaRight", 231},
};

// The HID usage of a KeyboardEvent.code, 0 for a key the layer does not know.
int UsageOfCode(std::string_view code) {
    if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z') {
        return 4 + (code[3] - 'A');
    }
    if (code.size() == 6 && code.substr(0, 5) == "Digit" && code[5] >= '0' && code[5] <= '9') {
        return code[5] == '0' ? 39 : 30 + (code[5] - '1');
    }
    if (code.size() >= 2 && code.size() <= 3 && code[0] == 'F') {
        int n = 0;
        for (char c : code.substr(1)) {
            if (c < '0' || c > '9') {
                return 0;
            }
            n = n * 10 + (c - '0');
        }
        return n >= 1 && n <= 12 ? 58 + (n - 1) : 0;
    }
    for (const NamedKey& key : kNamedKeys) {
        if (code == key.code) {
            return key.usage;
        }
    }
    return 0;
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* in, void*) {
    const int usage = UsageOfCode(in->code);
    if (usage == 0 || listenedWindow == 0) {
        return EM_FALSE;
    }
    Event event;
    event.kind = type == EMSCRIPTEN_EVENT_KEYDOWN ? Event::Kind::KeyDown : Event::Kind::KeyUp;
    event.window = listenedWindow;
    event.key = usage;
    event.repeat = in->repeat != 0;
    sdl::PushEvent(event);
    return EM_TRUE;  // the page neither scrolls nor leaves on the game's keys
}

// The canvas's position of a point given in CSS pixels over it.
void ToCanvas(long cssX, long cssY, int* x, int* y) {
    double cssWidth = 0, cssHeight = 0;
    int width = 0, height = 0;
    emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
    emscripten_get_canvas_element_size(kCanvas, &width, &height);
    *x = cssWidth > 0 ? static_cast<int>(cssX * width / cssWidth) : static_cast<int>(cssX);
    *y = cssHeight > 0 ? static_cast<int>(cssY * height / cssHeight) : static_cast<int>(cssY);
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* in, void*) {
    if (listenedWindow == 0) {
        return EM_FALSE;
    }
    Event event;
    event.window = listenedWindow;
    ToCanvas(in->targetX, in->targetY, &event.x, &event.y);
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        event.kind = Event::Kind::MouseMotion;
        event.deltaX = static_cast<int>(in->movementX);
        event.deltaY = static_cast<int>(in->movementY);
    } else {
        event.kind = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? Event::Kind::MouseButtonDown
                                                        : Event::Kind::MouseButtonUp;
        // The DOM numbers left 0, middle 1, right 2, back 3, forward 4.
        constexpr int kButtons[] = {1, 2, 3, 4, 5};
        if (in->button < 0 || in->button > 4) {
            return EM_FALSE;
        }
        event.button = kButtons[in->button];
    }
    sdl::PushEvent(event);
    return EM_TRUE;
}

EM_BOOL OnWheel(int, const EmscriptenWheelEvent* in, void*) {
    if (listenedWindow == 0 || in->deltaY == 0) {
        return EM_FALSE;
    }
    Event event;
    event.kind = Event::Kind::MouseWheel;
    event.window = listenedWindow;
    event.deltaY =
        in->deltaY < 0 ? 1 : -1;  // the DOM counts down the page, Windows away from the user
    sdl::PushEvent(event);
    return EM_TRUE;
}

EM_BOOL OnFocus(int type, const EmscriptenFocusEvent*, void*) {
    if (listenedWindow != 0) {
        Event event;
        event.kind =
            type == EMSCRIPTEN_EVENT_FOCUS ? Event::Kind::FocusGained : Event::Kind::FocusLost;
        event.window = listenedWindow;
        sdl::PushEvent(event);
    }
    return EM_FALSE;
}

}  // namespace

void ListenToPage(uint32_t window) {
    const bool first = listenedWindow == 0;
    listenedWindow = window;
    if (!first || window == 0) {
        return;
    }
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(page, nullptr, EM_TRUE, OnKey);
    emscripten_set_mousedown_callback(kCanvas, nullptr, EM_TRUE, OnMouse);
    emscripten_set_mouseup_callback(page, nullptr, EM_TRUE, OnMouse);
    emscripten_set_mousemove_callback(kCanvas, nullptr, EM_TRUE, OnMouse);
    emscripten_set_wheel_callback(kCanvas, nullptr, EM_TRUE, OnWheel);
    emscripten_set_focus_callback(page, nullptr, EM_TRUE, OnFocus);
    emscripten_set_blur_callback(page, nullptr, EM_TRUE, OnFocus);
}

}  // namespace platform::web
