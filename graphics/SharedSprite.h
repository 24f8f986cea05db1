// The process-wide D3DX sprite through which all game sprite drawing goes. Made on the device
// by the frame's first PublishContext, released at process exit.
#pragma once

#include "d3dx9.h"

// The address of the shared sprite pointer (null until the sprite is made).
ID3DXSprite** GetSharedSprite();
