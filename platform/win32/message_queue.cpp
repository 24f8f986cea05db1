// The message queue: desktop events become input messages, posted messages wait beside them,
// and the window procedures receive what is dispatched or sent.
#include "win32/message_queue.h"

#include <deque>

#include "sdl/backend.h"
#include "win32/key_codes.h"
#include "win32/key_state.h"
#include "win32/window_table.h"

namespace platform::win32 {
namespace {

struct Queued {
    MSG msg = {};
    int stateKey = 0;  // key or button whose state changes when this message is removed
    bool down = false;
};

struct Queue {
    std::deque<Queued> posted;
    std::deque<Queued> input;
    bool quitPending = false;
    int quitCode = 0;
    int buttonsDown = 0;  // MK_ flags as of the last translated mouse event
};

Queue& TheQueue() {
    static auto* queue = new Queue;  // never destroyed, like the other layer tables
    return *queue;
}

Queued Make(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Queued queued;
    queued.msg.hwnd = hwnd;
    queued.msg.message = message;
    queued.msg.wParam = wParam;
    queued.msg.lParam = lParam;
    queued.msg.time = GetTickCount();
    return queued;
}

int ButtonFlag(int virtualButton) {
    switch (virtualButton) {
        case VK_LBUTTON:
            return MK_LBUTTON;
        case VK_RBUTTON:
            return MK_RBUTTON;
        case VK_MBUTTON:
            return MK_MBUTTON;
        case VK_XBUTTON1:
            return MK_XBUTTON1;
        case VK_XBUTTON2:
            return MK_XBUTTON2;
        default:
            return 0;
    }
}

void TranslateKey(HWND hwnd, const sdl::Event& event) {
    int sided = VirtualKeyFromHidUsage(event.key);
    if (sided == 0) {
        return;
    }
    bool down = event.kind == sdl::Event::Kind::KeyDown;
    int generic = GenericModifierOf(sided);
    bool alt = (GetKeyState(VK_MENU) & 0x8000) || generic == VK_MENU;
    UINT message = down ? (alt || sided == VK_F1 + 9 ? WM_SYSKEYDOWN : WM_KEYDOWN)
                        : (alt || sided == VK_F1 + 9 ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lParam = 1;
    if (alt)
        lParam |= LPARAM{1} << 29;
    if (!down || event.repeat)
        lParam |= LPARAM{1} << 30;
    if (!down)
        lParam |= LPARAM{1} << 31;
    Queued queued = Make(hwnd, message, static_cast<WPARAM>(generic ? generic : sided), lParam);
    queued.stateKey = sided;
    queued.down = down;
    TheQueue().input.push_back(queued);
}

void TranslateButton(HWND hwnd, const sdl::Event& event) {
    static constexpr int kButtons[] = {0,          VK_LBUTTON,  VK_MBUTTON,
                                       VK_RBUTTON, VK_XBUTTON1, VK_XBUTTON2};
    if (event.button < 1 || event.button > 5) {
        return;
    }
    int button = kButtons[event.button];
    bool down = event.kind == sdl::Event::Kind::MouseButtonDown;
    UINT message = 0;
    switch (button) {
        case VK_LBUTTON:
            message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            break;
        case VK_RBUTTON:
            message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            break;
        case VK_MBUTTON:
            message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            break;
        default:
            message = down ? WM_XBUTTONDOWN : WM_XBUTTONUP;
            break;
    }
    Queue& queue = TheQueue();
    queue.buttonsDown =
        down ? (queue.buttonsDown | ButtonFlag(button)) : (queue.buttonsDown & ~ButtonFlag(button));
    WPARAM wParam = static_cast<WPARAM>(queue.buttonsDown);
    if (message == WM_XBUTTONDOWN || message == WM_XBUTTONUP) {
        // The extra buttons say which one they are in the high word.
        wParam |= static_cast<WPARAM>(button == VK_XBUTTON1 ? XBUTTON1 : XBUTTON2) << 16;
    }
    Queued queued = Make(hwnd, message, wParam, MAKELPARAM(event.x, event.y));
    queued.stateKey = button;
    queued.down = down;
    queue.input.push_back(queued);
}

void TranslateResize(Window& window, int width, int height) {
    if (window.deviceFullscreen || (width == window.clientWidth && height == window.clientHeight)) {
        return;  // our own change of the window, already known to the program
    }
    RECT frame = FrameOf(window.style);
    window.rect.right = window.rect.left + width + frame.left + frame.right;
    window.rect.bottom = window.rect.top + height + frame.top + frame.bottom;
    window.clientWidth = width;
    window.clientHeight = height;
    if (!window.minimized) {
        QueueSizeMessage(window.handle, window.maximized ? SIZE_MAXIMIZED : SIZE_RESTORED, width,
                         height);
    }
}

void TranslateWindowState(Window& window, sdl::Event::Kind kind) {
    using Kind = sdl::Event::Kind;
    if (kind == Kind::WindowMinimized && !window.minimized) {
        window.minimized = true;
        QueueSizeMessage(window.handle, SIZE_MINIMIZED, 0, 0);
    } else if (kind == Kind::WindowMaximized && !window.maximized) {
        window.maximized = true;
        window.minimized = false;
        QueueSizeMessage(window.handle, SIZE_MAXIMIZED, window.clientWidth, window.clientHeight);
    } else if (kind == Kind::WindowRestored && (window.minimized || window.maximized)) {
        window.minimized = false;
        window.maximized = false;
        QueueSizeMessage(window.handle, SIZE_RESTORED, window.clientWidth, window.clientHeight);
    }
}

void CloseAllWindows();

void Translate(const sdl::Event& event) {
    using Kind = sdl::Event::Kind;
    if (event.kind == Kind::Quit) {
        CloseAllWindows();
        return;
    }
    Window* window = FindWindowOfSdl(event.window);
    if (!window) {
        return;
    }
    HWND hwnd = window->handle;
    switch (event.kind) {
        case Kind::KeyDown:
        case Kind::KeyUp:
            TranslateKey(hwnd, event);
            break;
        case Kind::MouseButtonDown:
        case Kind::MouseButtonUp:
            TranslateButton(hwnd, event);
            break;
        case Kind::MouseMotion:
            TheQueue().input.push_back(Make(hwnd, WM_MOUSEMOVE,
                                            static_cast<WPARAM>(TheQueue().buttonsDown),
                                            MAKELPARAM(event.x, event.y)));
            TheQueue().input.push_back(Make(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
            break;
        case Kind::WindowClose:
            TheQueue().input.push_back(Make(hwnd, WM_CLOSE, 0, 0));
            break;
        case Kind::WindowResized:
            TranslateResize(*window, event.x, event.y);
            break;
        case Kind::WindowMinimized:
        case Kind::WindowMaximized:
        case Kind::WindowRestored:
            TranslateWindowState(*window, event.kind);
            break;
        default:
            break;
    }
}

void CloseAllWindows() {
    for (HWND handle : AllWindows()) {
        TheQueue().input.push_back(Make(handle, WM_CLOSE, 0, 0));
    }
}

void PumpDesktopEvents() {
    sdl::Event event;
    while (sdl::PollEvent(&event)) {
        Translate(event);
    }
}

bool Matches(const Queued& queued, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (hwnd && queued.msg.hwnd != hwnd) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) {
        return true;
    }
    return queued.msg.message >= filterMin && queued.msg.message <= filterMax;
}

bool TakeFrom(std::deque<Queued>& queue, LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax,
              bool remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!Matches(*it, hwnd, filterMin, filterMax)) {
            continue;
        }
        Queued queued = *it;
        *msg = queued.msg;
        if (remove) {
            queue.erase(it);
            if (queued.stateKey) {
                SetKeyDown(queued.stateKey, queued.down);
            }
        }
        return true;
    }
    return false;
}

}  // namespace

void DropMessagesFor(HWND handle) {
    for (auto* queue : {&TheQueue().posted, &TheQueue().input}) {
        std::erase_if(*queue, [&](const Queued& queued) { return queued.msg.hwnd == handle; });
    }
}

void QueueSizeMessage(HWND handle, WPARAM kind, int width, int height) {
    TheQueue().input.push_back(Make(handle, WM_SIZE, kind, MAKELPARAM(width, height)));
}

}  // namespace platform::win32

using platform::win32::TheQueue;

BOOL PeekMessageA(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT remove) {
    if (!msg) {
        return FALSE;
    }
    platform::win32::PumpDesktopEvents();
    bool removing = (remove & PM_REMOVE) != 0;
    auto& queue = TheQueue();
    if (platform::win32::TakeFrom(queue.posted, msg, hWnd, filterMin, filterMax, removing)) {
        return TRUE;
    }
    if (queue.quitPending && !hWnd) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(queue.quitCode);
        msg->time = GetTickCount();
        if (removing) {
            queue.quitPending = false;
        }
        return TRUE;
    }
    return platform::win32::TakeFrom(queue.input, msg, hWnd, filterMin, filterMax, removing)
               ? TRUE
               : FALSE;
}

// No character messages are generated (see windows.h), so nothing is ever translated.
BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || !msg->hwnd) {
        return 0;
    }
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hWnd && !platform::win32::FindWindow(hWnd)) {
        return FALSE;
    }
    TheQueue().posted.push_back(platform::win32::Make(hWnd, message, wParam, lParam));
    return TRUE;
}

LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    platform::win32::Window* window = platform::win32::FindWindow(hWnd);
    if (!window || !window->procedure) {
        return 0;
    }
    return window->procedure(hWnd, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    TheQueue().quitPending = true;
    TheQueue().quitCode = exitCode;
}

LRESULT CALLBACK DefWindowProcA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(hWnd);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                platform::win32::Window* window = platform::win32::FindWindow(hWnd);
                SetCursor(window ? window->classCursor : nullptr);
                return TRUE;
            }
            return FALSE;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F1 + 3 && (lParam & (LPARAM{1} << 29))) {  // Alt+F4
                PostMessageA(hWnd, WM_CLOSE, 0, 0);
            }
            return 0;
        default:
            return 0;
    }
}
