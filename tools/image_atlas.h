// "Image": the 256 x 128 atlas of the play field in 32-pixel cells.
//   row 0: floor, wall, the stairs marker (an overlay drawn over the stairs), stairs, final goal
//   row 1: the player's marker, two frames
//   row 2: the final goal opening, four frames (drawn over the goal's floor cell)
//   row 3: the rhythm arrows right, left, up, down, light grey (the game tints the running one)
// Everything not drawn is magenta, which the game's loader makes transparent.
#pragma once

#include "tools/picture.h"

namespace assets {

constexpr int kAtlasCell = 32;
constexpr int kAtlasWidth = 256;
constexpr int kAtlasHeight = 128;

Picture ImageAtlas();

// The player's marker, one 32 x 32 cell (frame 0 standing, 1 squashed); also the program's icon.
Picture MarkerFrame(int frame);

}  // namespace assets
