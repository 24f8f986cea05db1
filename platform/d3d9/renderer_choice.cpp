// The renderer a new device draws with: the GL renderer on a graphics card's driver, else the
// software rasteriser, whose frames the SDL backend shows in the window.
#include "d3d9/renderer_choice.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gl/gl_renderer.h"
#include "raster/software_renderer.h"
#include "sdl/backend.h"
#include "seam/hooks.h"

namespace platform::d3d9 {
namespace {

std::string& LastLine() {
    static auto* line = new std::string;  // never destroyed: devices may outlive main
    return *line;
}

// The choice is no failure: its line goes to stderr, not to the failure log tests watch.
void Announce(const std::string& line) {
    LastLine() = line;
    std::fprintf(stderr, "%s\n", line.c_str());
}

std::unique_ptr<render::Renderer> Software(const std::string& why) {
    Announce("pokutan: renderer software (" + why + ")");
    return std::make_unique<raster::SoftwareRenderer>(
        [](const raster::ColorSurface& pixels, const render::PresentTarget& target) {
            sdl::PresentFrame(target.window, pixels.data(), pixels.width(), pixels.height(),
                              pixels.pitch() * 4, target.keepAspect);
        });
}

}  // namespace

std::unique_ptr<render::Renderer> MakeRenderer(uint32_t window) {
    const char* setting = std::getenv("POKUTAN_RENDERER");
    const std::string asked = setting ? setting : "";
    if (asked == "software") {
        return Software("POKUTAN_RENDERER=software");
    }
    std::string why;
    sdl::GlContext context;
    if (seam::ShouldFail(seam::Failure::GlContext)) {
        why = "no OpenGL context: injected failure";
    } else {
        context = sdl::CreateGlContext(window, &why);
    }
    if (!context.handle) {
        return Software(why);
    }
    std::string driver;
    bool hardware = false;
    std::unique_ptr<render::Renderer> gl = gl::MakeGlRenderer(context, &why, &driver, &hardware);
    if (!gl) {
        return Software(why + " on " + driver);
    }
    if (!hardware && asked != "gl") {
        return Software(driver + " is a software OpenGL driver, slower than the rasteriser");
    }
    Announce("pokutan: renderer gl (" + driver + (asked == "gl" ? ", POKUTAN_RENDERER=gl)" : ")"));
    return gl;
}

const std::string& LastRendererLine() {
    return LastLine();
}

}  // namespace platform::d3d9
