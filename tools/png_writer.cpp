// PNG output through libpng's simplified API: opaque RGB or 8-bit grey for the textures (the
// game's loader makes magenta transparent by its colour key), RGBA for the desktop icons.
#include "tools/png_writer.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace assets {

namespace {

size_t BytesPerPixel(PngChannels channels) {
    return channels == PngChannels::kGrey ? 1 : channels == PngChannels::kRgb ? 3 : 4;
}

png_uint_32 Format(PngChannels channels) {
    return channels == PngChannels::kGrey  ? PNG_FORMAT_GRAY
           : channels == PngChannels::kRgb ? PNG_FORMAT_RGB
                                           : PNG_FORMAT_RGBA;
}

std::vector<uint8_t> PackedBytes(const Picture& picture, PngChannels channels) {
    std::vector<uint8_t> bytes;
    bytes.reserve(picture.pixels.size() * BytesPerPixel(channels));
    for (uint32_t pixel : picture.pixels) {
        if (channels == PngChannels::kGrey) {
            bytes.push_back(static_cast<uint8_t>(pixel >> 8));
            continue;
        }
        bytes.push_back(static_cast<uint8_t>(pixel >> 16));
        bytes.push_back(static_cast<uint8_t>(pixel >> 8));
        bytes.push_back(static_cast<uint8_t>(pixel));
        if (channels == PngChannels::kRgba) {
            bytes.push_back(static_cast<uint8_t>(pixel >> 24));
        }
    }
    return bytes;
}

}  // namespace

bool WritePng(const std::string& path, const Picture& picture, PngChannels channels) {
    std::vector<uint8_t> bytes = PackedBytes(picture, channels);
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(picture.width);
    png.height = static_cast<png_uint_32>(picture.height);
    png.format = Format(channels);
    int written = png_image_write_to_file(&png, path.c_str(), 0, bytes.data(), 0, nullptr);
    png_image_free(&png);
    return written != 0;
}

}  // namespace assets
