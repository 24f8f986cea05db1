// The renderer a new device draws with: the software rasteriser, whose frames the SDL backend
// shows in the window.
#include "d3d9/renderer_choice.h"

#include "raster/software_renderer.h"
#include "sdl/backend.h"

namespace platform::d3d9 {

std::unique_ptr<render::Renderer> MakeRenderer() {
    return std::make_unique<raster::SoftwareRenderer>(
        [](const raster::ColorSurface& pixels, const render::PresentTarget& target) {
            sdl::PresentFrame(target.window, pixels.data(), pixels.width(), pixels.height(),
                              pixels.pitch() * 4, target.keepAspect);
        });
}

}  // namespace platform::d3d9
