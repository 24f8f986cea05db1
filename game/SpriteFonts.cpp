// The sprite font pointers, filled by the game's set-up.
#include "game/SpriteFonts.h"

CSpriteFont* spriteFont16 = nullptr;
CSpriteFont* spriteFont32 = nullptr;
CSpriteFont* spriteFont64 = nullptr;
