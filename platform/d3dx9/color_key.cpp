// Colour-key replacement over a decoded picture.
#include "d3dx9/color_key.h"

namespace platform::d3dx9 {

size_t ApplyColorKey(Image& image, uint32_t key) {
    if (key == 0) {
        return 0;
    }
    size_t replaced = 0;
    for (uint32_t& pixel : image.pixels) {
        if (pixel == key) {
            pixel = 0;
            ++replaced;
        }
    }
    return replaced;
}

}  // namespace platform::d3dx9
