// Rectangle fills of colour and depth-stencil surfaces.
#include "raster/clear.h"

#include <algorithm>

namespace platform::raster {

namespace {

// Calls fill(row pointer offset, x0, x1, y) for every row of each clipped rectangle.
template <typename Fill>
void ForEachClippedRow(std::span<const Rect> rects, const Rect& clip, int width, int height,
                       Fill fill) {
    const Rect bounds = Intersect(clip, Rect{0, 0, width, height});
    const Rect whole[1] = {bounds};
    const std::span<const Rect> list = rects.empty() ? std::span<const Rect>(whole) : rects;
    for (const Rect& rect : list) {
        const Rect area = Intersect(rect, bounds);
        for (int y = area.top; y < area.bottom; ++y) {
            fill(y, area.left, area.right);
        }
    }
}

}  // namespace

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

void ClearColor(ColorSurface& surface, uint32_t argb, std::span<const Rect> rects,
                const Rect& clip) {
    const uint32_t value = surface.hasAlpha() ? argb : (argb | 0xFF000000u);
    ForEachClippedRow(rects, clip, surface.width(), surface.height(), [&](int y, int x0, int x1) {
        std::fill(surface.row(y) + x0, surface.row(y) + x1, value);
    });
}

void ClearDepthStencil(DepthStencilSurface& surface, bool clearDepth, float z, bool clearStencil,
                       uint8_t stencil, std::span<const Rect> rects, const Rect& clip) {
    if (!clearDepth && !clearStencil) {
        return;
    }
    const uint32_t keep = (clearDepth ? 0u : 0xFFFFFF00u) | (clearStencil ? 0u : 0xFFu);
    const uint32_t value =
        (clearDepth ? DepthToD24(z) << 8 : 0u) | (clearStencil ? uint32_t{stencil} : 0u);
    ForEachClippedRow(rects, clip, surface.width(), surface.height(), [&](int y, int x0, int x1) {
        uint32_t* row = surface.row(y);
        if (keep == 0) {  // depth and stencil both: a plain fill, without reading the row
            std::fill(row + x0, row + x1, value);
            return;
        }
        for (int x = x0; x < x1; ++x) {
            row[x] = (row[x] & keep) | value;
        }
    });
    const Rect whole{0, 0, surface.width(), surface.height()};
    const Rect cleared = Intersect(clip, whole);
    if (clearDepth && rects.empty() && cleared.left == 0 && cleared.top == 0 &&
        cleared.right == whole.right && cleared.bottom == whole.bottom) {
        surface.SetKnownDepth(DepthToD24(z));
    }
}

}  // namespace platform::raster
