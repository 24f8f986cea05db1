// "Background": a 512 x 512 grey picture of soft glowing discs on a faint, cloudy dark ground.
// The game stretches it four times and draws eight rotating, dark-tinted copies added together,
// so only the middle (about 100 texels around the centre) is ever seen; the discs then drift
// round the screen like slow bokeh, always far dimmer than the play field.
#pragma once

#include "tools/picture.h"

namespace assets {

constexpr int kBackgroundSize = 512;

Picture BackgroundPattern();

}  // namespace assets
