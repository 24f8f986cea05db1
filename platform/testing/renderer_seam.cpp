// Test seam for the renderers: the GL renderer's counters.
#include "renderer_seam.h"

#include "gl/gl_renderer.h"

namespace platform::testing {

GlRendererCounts GlCounts() {
    const gl::GlCounters counters = gl::Counters();
    return GlRendererCounts{counters.drawCalls, counters.textureUploads, counters.presents};
}

}  // namespace platform::testing
