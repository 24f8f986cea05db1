// What the title and clear screens share: their three text lines in the 64-pixel font, each with a
// black shadow 4 pixels right and down, and the prompt that blinks between white and red.
#pragma once

#include "d3dx9math.h"

// The prompt's colour: (1, v, v, 1) with v = 1 when on, so white or red.
D3DCOLOR PromptColor(bool on);

// printf-style text centred on (x, y): first its shadow, then the text.
void PrintWithShadow(float x, float y, D3DCOLOR shadowColor, D3DCOLOR textColor, const char* format,
                     int argument = 0);
