// The game's three bitmap fonts (16, 32 and 64 pixels), made and owned by the game object and
// null until its set-up has made them. Scenes draw all their text through them.
#pragma once

class CSpriteFont;

extern CSpriteFont* spriteFont16;
extern CSpriteFont* spriteFont32;
extern CSpriteFont* spriteFont64;
