// Test seam for the renderers: the GL renderer's counters.
#include "renderer_seam.h"

#include "d3d9/renderer_choice.h"
#include "gl/gl_renderer.h"

namespace platform::testing {

GlRendererCounts GlCounts() {
    const gl::GlCounters counters = gl::Counters();
    return GlRendererCounts{counters.drawCalls, counters.textureUploads, counters.presents};
}

std::string RendererLine() {
    return d3d9::LastRendererLine();
}

}  // namespace platform::testing
