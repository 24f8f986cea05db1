// Drawing operations of the generator's pictures.
#include "tools/picture.h"

namespace assets {

Picture::Picture(int width, int height, uint32_t fill)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height, fill) {}

void Picture::Set(int x, int y, uint32_t color) {
    if (Contains(x, y)) {
        pixels[static_cast<size_t>(y) * width + x] = color;
    }
}

void Picture::FillRect(int x, int y, int w, int h, uint32_t color) {
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            Set(column, row, color);
        }
    }
}

void Picture::Blit(const Picture& source, int x, int y) {
    for (int row = 0; row < source.height; ++row) {
        for (int column = 0; column < source.width; ++column) {
            uint32_t color = source.At(column, row);
            if (color != kTransparent) {
                Set(x + column, y + row, color);
            }
        }
    }
}

}  // namespace assets
