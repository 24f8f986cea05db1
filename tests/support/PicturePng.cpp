// PNG files of test pictures through libpng's simplified API. ARGB words lie in little-endian
// memory as the bytes B, G, R, A, which is libpng's BGRA format.
#include "support/PicturePng.h"

#include <png.h>

#include <utility>

namespace pokutan_test {
namespace {

constexpr png_uint_32 kArgbWords = PNG_FORMAT_BGRA;
// Far more than any test draws; keeps a broken file from asking for gigabytes.
constexpr png_uint_32 kLargestSide = 16384;

bool Consistent(const platform::testing::Image& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.pixels.size() == static_cast<size_t>(picture.width) * picture.height;
}

}  // namespace

bool LoadPicturePng(const std::string& path, platform::testing::Image* picture) {
    if (!picture) {
        return false;
    }
    *picture = platform::testing::Image{};
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        return false;
    }
    if (png.width == 0 || png.height == 0 || png.width > kLargestSide ||
        png.height > kLargestSide) {
        png_image_free(&png);
        return false;
    }
    png.format = kArgbWords;
    platform::testing::Image read;
    read.width = static_cast<int>(png.width);
    read.height = static_cast<int>(png.height);
    read.pixels.resize(static_cast<size_t>(png.width) * png.height);
    if (!png_image_finish_read(&png, nullptr, read.pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return false;
    }
    *picture = std::move(read);
    return true;
}

bool SavePicturePng(const platform::testing::Image& picture, const std::string& path) {
    if (!Consistent(picture)) {
        return false;
    }
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(picture.width);
    png.height = static_cast<png_uint_32>(picture.height);
    png.format = kArgbWords;
    const int written =
        png_image_write_to_file(&png, path.c_str(), 0, picture.pixels.data(), 0, nullptr);
    png_image_free(&png);
    return written != 0;
}

}  // namespace pokutan_test
