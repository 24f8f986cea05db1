// OpenGL contexts on the layer's windows for the renderer that draws on the graphics card:
// OpenGL ES 3.0 first, desktop OpenGL 3.3 core second. SDL's attributes go back to their
// defaults afterwards, so a renderer SDL makes later on the same window (the software
// renderer's presenting) finds the window as it expects and never replaces it.
#include <SDL.h>

#include "sdl/backend.h"

namespace platform::sdl {
namespace {

SDL_Window* WindowOf(uint32_t window) {
    return SDL_GetWindowFromID(window);
}

SDL_GLContext TryContext(SDL_Window* window, int profile, int major, int minor) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, profile);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, major);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, minor);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    SDL_GL_ResetAttributes();
    return context;
}

}  // namespace

GlContext CreateGlContext(uint32_t window, std::string* why) {
    GlContext made;
    SDL_Window* sdlWindow = WindowOf(window);
    if (!sdlWindow || (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_OPENGL) == 0) {
        *why = "the window has no OpenGL (video driver " +
               std::string(SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "none") +
               ")";
        return made;
    }
    SDL_GLContext context = TryContext(sdlWindow, SDL_GL_CONTEXT_PROFILE_ES, 3, 0);
    made.es = context != nullptr;
    if (!context) {
        context = TryContext(sdlWindow, SDL_GL_CONTEXT_PROFILE_CORE, 3, 3);
    }
    if (!context) {
        *why = std::string("no OpenGL ES 3.0 or 3.3 core context: ") + SDL_GetError();
        return made;
    }
    SDL_GL_SetSwapInterval(0);  // the game paces its frames itself
    made.handle = context;
    made.window = window;
    return made;
}

bool MakeGlCurrent(const GlContext& context) {
    SDL_Window* window = WindowOf(context.window);
    return window && context.handle &&
           SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(context.handle)) == 0;
}

void DestroyGlContext(GlContext& context) {
    if (context.handle) {
        SDL_GL_MakeCurrent(WindowOf(context.window), nullptr);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context.handle));
    }
    context = GlContext{};
}

void SwapGlWindow(const GlContext& context) {
    if (SDL_Window* window = WindowOf(context.window)) {
        SDL_GL_SwapWindow(window);
    }
}

void GlDrawableSize(const GlContext& context, int* width, int* height) {
    *width = 0;
    *height = 0;
    if (SDL_Window* window = WindowOf(context.window)) {
        SDL_GL_GetDrawableSize(window, width, height);
    }
}

}  // namespace platform::sdl
