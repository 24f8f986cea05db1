// Test seam for the device: injected loss, default-pool bookkeeping, back-buffer read-back.
#include <png.h>

#include "d3d9/device.h"
#include "test_seam.h"

namespace platform::testing {

void LoseDevice(IDirect3DDevice9* device, int lostChecks) {
    d3d9::Impl(device)->Lose(lostChecks);
}

int DefaultPoolObjects(IDirect3DDevice9* device) {
    return d3d9::Impl(device)->DefaultPoolObjects();
}

Image ReadBackBuffer(IDirect3DDevice9* device) {
    const d3d9::MemorySurface& surface = d3d9::Impl(device)->BackBuffer();
    Image image;
    image.width = surface.width;
    image.height = surface.height;
    image.pixels = surface.pixels;
    return image;
}

bool SavePng(const Image& image, const std::string& path) {
    png_image png = {};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_BGRA;  // ARGB words in little-endian memory are B, G, R, A bytes
    return png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), image.width * 4,
                                   nullptr) != 0;
}

}  // namespace platform::testing
