// The key bindings and the per-action pressed test.
#include "input/KeyBindings.h"

#include "input/KeyState.h"
#include "windows.h"

std::map<int, int>& GetKeyBindings() {
    static std::map<int, int> bindings = [] {
        std::map<int, int> defaults;
        defaults.insert({ACTION_DECIDE, VK_LBUTTON});
        defaults.insert({ACTION_QUIT, VK_RBUTTON});
        defaults.insert({ACTION_RESUME, VK_SPACE});
        return defaults;
    }();
    return bindings;
}

bool IsActionPressed(int action) {
    return IsKeyPressed(GetKeyBindings()[action]);
}
