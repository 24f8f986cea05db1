// What a sprite-shaped draw leaves on its target whatever the target held: the pixels it
// overwrites with colours of its own. Whatever was drawn there before it is then unseen, so a
// queue of draws may skip that work (see hidden_area.h).
#pragma once

#include <optional>
#include <span>
#include <unordered_map>

#include "raster/draw_state.h"
#include "raster/raster_types.h"
#include "raster/rasterizer.h"

namespace platform::raster {

struct OpaqueCover {
    Rect pixels{};  // inside the draw's clip, never empty
    // With a depth test, the cover holds only where the test passes with this 24-bit depth
    // (the draw's, the same at every pixel) against what the surface holds.
    bool depthTested = false;
    CmpFunc depthFunc = CmpFunc::Always;
    uint32_t depth = 0;
    bool writesDepth = false;  // writes `depth` at every covered pixel
};

// Which texel rectangles of which surfaces were wholly opaque, remembered while the surface is
// unchanged: a sprite drawn every frame scans its texels once.
class OpaqueTexelMemo {
  public:
    struct Key {
        uint64_t surface, version;
        int ranges[8];  // columns and rows, first and last of up to two ranges each
        bool operator==(const Key&) const = default;
    };
    const bool* Find(const Key& key) const;
    void Store(const Key& key, bool opaque);

  private:
    struct Hash {
        size_t operator()(const Key& key) const;
    };
    std::unordered_map<Key, bool, Hash> known;
};

// The cover of a draw of two triangles in a strip making an upright rectangle (a sprite) whose
// every pixel gets a colour that does not depend on the target: blending off, or source over
// with the alpha 255 throughout, every channel written. Nothing for any other draw, or when
// that cannot be shown from the state, the vertices and the texels the draw reads.
std::optional<OpaqueCover> FindOpaqueCover(const DrawState& state, PrimitiveType type,
                                           std::span<const ScreenVertex> vertices,
                                           size_t primitiveCount, OpaqueTexelMemo* memo = nullptr);

}  // namespace platform::raster
