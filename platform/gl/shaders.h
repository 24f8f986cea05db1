// The GL renderer's two programs, in GLSL ES 3.00 (also WebGL 2; desktop GL 3.3 core takes the
// same text with its own version line): the draw program, which does Direct3D 9's texture
// stage 0, alpha test and fog-free colour path for screen-space vertices, and the present
// program, which copies the back buffer into the window.
#pragma once

namespace platform::gl {

// The version line goes in front: "#version 300 es" or "#version 330 core".
extern const char* const kDrawVertexShader;
extern const char* const kDrawFragmentShader;
extern const char* const kPresentVertexShader;
extern const char* const kPresentFragmentShader;

}  // namespace platform::gl
