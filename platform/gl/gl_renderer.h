// The renderer that draws on the graphics card, through OpenGL ES 3.0 (also WebGL 2 and desktop
// OpenGL 3.3 core). Every surface is a GL texture holding the layer's memory byte for byte;
// draws go to framebuffers of the target and its depth stencil, sprites with the same state go
// out in one draw call, and the layer's copies in memory are brought up to date only when
// something reads them (Finish). The copies in memory are what every GL object is rebuilt from.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "render/renderer.h"
#include "sdl/backend.h"

namespace platform::gl {

// What the GL renderer did in the frames so far, for the benchmarks.
struct GlCounters {
    int64_t drawCalls = 0;
    int64_t textureUploads = 0;
    int64_t presents = 0;
};

class GlRenderer;

// Makes the GL renderer on the window's context; null, with `why` set, when any step of the
// set-up fails. `driver` receives GL_RENDERER's text and `hardware` whether it is a graphics
// card's driver (not Mesa's llvmpipe, softpipe or swrast).
std::unique_ptr<render::Renderer> MakeGlRenderer(sdl::GlContext context, std::string* why,
                                                 std::string* driver, bool* hardware);

// The counters of the last GL renderer made (zeros when none).
GlCounters Counters();

}  // namespace platform::gl
