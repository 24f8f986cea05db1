// Test seam for the renderers: what the GL renderer did so far (the benchmarks' draw calls and
// texture uploads per frame). Zeros when no GL renderer was made.
#pragma once

#include <cstdint>
#include <string>

namespace platform::testing {

struct GlRendererCounts {
    int64_t drawCalls = 0;
    int64_t textureUploads = 0;
    int64_t presents = 0;
};

// The counts of the GL renderer made last in this process.
GlRendererCounts GlCounts();

// The stderr line of the last device's renderer choice ("pokutan: renderer ..."); empty when
// no device was made.
std::string RendererLine();

}  // namespace platform::testing
