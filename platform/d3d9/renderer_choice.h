// The renderer a new device draws with, chosen when it is made: the GL renderer where the
// window gets an OpenGL ES 3 (or 3.3 core) context from a graphics card's driver, else the
// software one; POKUTAN_RENDERER=software|gl overrides (gl also on a software driver, for
// tests). One stderr line says which renderer runs and why.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "render/renderer.h"

namespace platform::d3d9 {

// `window`: the backend's window the device presents in.
std::unique_ptr<render::Renderer> MakeRenderer(uint32_t window);

// The line the last choice wrote (test seam); empty before the first.
const std::string& LastRendererLine();

}  // namespace platform::d3d9
