// Test seam for the device: injected loss, default-pool bookkeeping, back-buffer read-back.
#include "d3d9/device.h"
#include "d3d9/surface.h"
#include "d3d9/texture.h"
#include "test_seam.h"

namespace platform::testing {

void LoseDevice(IDirect3DDevice9* device, int lostChecks) {
    d3d9::Impl(device)->Lose(lostChecks);
}

int DefaultPoolObjects(IDirect3DDevice9* device) {
    return d3d9::Impl(device)->DefaultPoolObjects();
}

namespace {

Image ImageOf(const raster::ColorSurface& surface) {
    Image image;
    image.width = surface.width();
    image.height = surface.height();
    image.pixels.reserve(static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            image.pixels.push_back(surface.Read(x, y));
        }
    }
    return image;
}

}  // namespace

Image ReadBackBuffer(IDirect3DDevice9* device) {
    d3d9::Impl(device)->FlushPendingDraws();
    return ImageOf(*d3d9::Impl(device)->BackBuffer()->Color());
}

Image ReadSurface(IDirect3DSurface9* surface) {
    const raster::ColorSurface* color = surface ? d3d9::SurfaceImpl(surface)->Color() : nullptr;
    if (color) {
        d3d9::SurfaceImpl(surface)->Owner()->FlushPendingDraws();
    }
    return color ? ImageOf(*color) : Image{};
}

Image ReadTextureLevel(IDirect3DTexture9* texture, int level) {
    if (!texture || level < 0 || level >= static_cast<int>(texture->GetLevelCount())) {
        return Image{};
    }
    d3d9::TextureImpl(texture)->Owner()->FlushPendingDraws();
    return ImageOf(d3d9::TextureImpl(texture)->Pixels().level(level));
}

}  // namespace platform::testing
