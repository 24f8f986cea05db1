// The Windows icon file format (.ico): a directory of pictures, each a 32-bit bottom-up bitmap
// with straight alpha and the 1-bit mask that older Windows versions draw with.
#pragma once

#include <string>
#include <vector>

#include "tools/picture.h"

namespace assets {

// The bytes of an .ico file holding `pictures` in the given order; sizes from 1 to 256.
std::string IconFile(const std::vector<Picture>& pictures);

}  // namespace assets
