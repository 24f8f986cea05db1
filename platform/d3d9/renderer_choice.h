// The renderer a new device draws with.
#pragma once

#include <memory>

#include "render/renderer.h"

namespace platform::d3d9 {

std::unique_ptr<render::Renderer> MakeRenderer();

}  // namespace platform::d3d9
