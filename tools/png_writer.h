// Writing pictures as PNG files through libpng. The output carries no time or text chunks, so
// the same picture always gives the same bytes.
#pragma once

#include <string>

#include "tools/picture.h"

namespace assets {

enum class PngChannels { kRgb, kGrey, kRgba };

// kGrey keeps the green channel of each pixel (the picture is expected to be grey already);
// kRgba keeps the alpha byte as straight alpha (icons, which have no colour key).
// False when the file cannot be written.
bool WritePng(const std::string& path, const Picture& picture, PngChannels channels);

}  // namespace assets
