// The actions of the one-button game and the keys bound to them: left mouse button to decide,
// right mouse button to quit to the title, space to resume. The bindings are compiled in.
#pragma once

#include <map>

enum Action : int {
    ACTION_DECIDE = 0,
    ACTION_QUIT = 1,
    ACTION_RESUME = 2,
};

// Action number -> virtual-key code; built with the three defaults on the first call.
std::map<int, int>& GetKeyBindings();

// True when the key bound to `action` went down in this frame step. The lookup is the map's
// subscript: an action without a binding gets key code 0, which belongs to no key.
bool IsActionPressed(int action);
