// The Win32 key-state snapshot of the current and the previous frame step (mouse buttons
// included), and the record of presses that went down and up again between two snapshots.
// GetKeyboardState is a state, not a queue: a tap (a laptop's tap-to-click delivers the press
// and the release together) would be lost between two snapshots. The window procedure therefore
// passes every message to NoteKeyMessage, and a key that went down since the last snapshot
// counts as pressed in the next frame step, once.
#pragma once

#include "windows.h"

// Indexed by virtual-key code: bit 7 while down, bit 0 the toggle state.
struct KeyState {
    BYTE current[256];
    BYTE previous[256];
};
static_assert(sizeof(KeyState) == 512, "the snapshot is two tables of 256 bytes, nothing else");

// The process-wide snapshot; all zero at program start.
KeyState* KeyStateBuffer();

// One frame step's snapshot: current becomes previous, GetKeyboardState fills current, and the
// keys that went down since the last snapshot become this step's pressed keys.
void UpdateKeyState();

// For every message the window procedure receives: notes fresh (non-repeat) key and
// mouse-button downs.
void NoteKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);

// True when the key went down in this frame step: down now and up in the previous snapshot, or
// pressed (and perhaps already released) since the previous snapshot.
bool IsKeyPressed(int virtualKey);
