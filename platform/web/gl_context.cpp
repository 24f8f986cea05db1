// OpenGL contexts in the browser: WebGL 2 is not connected yet, so none can be made and the
// device draws with the software renderer.
#include "sdl/backend.h"

namespace platform::sdl {

GlContext CreateGlContext(uint32_t, std::string* why) {
    if (why) {
        *why = "no WebGL 2 context in the browser build yet";
    }
    return {};
}

bool MakeGlCurrent(const GlContext&) {
    return false;
}

void DestroyGlContext(GlContext& context) {
    context = {};
}

void SwapGlWindow(const GlContext&) {}

void GlDrawableSize(const GlContext&, int* width, int* height) {
    *width = 0;
    *height = 0;
}

}  // namespace platform::sdl
