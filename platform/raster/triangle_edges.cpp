// Fixed-point triangle edges and per-row span bounds. Spans are found per row by solving each
// edge function for the first and last covered column: three divisions per row, no per-pixel
// work.
#include "raster/triangle_edges.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform::raster {

namespace {

constexpr int kSubpixelBits = 8;
constexpr int64_t kSubpixel = 1 << kSubpixelBits;

int64_t FloorDiv(int64_t n, int64_t d) {  // d > 0
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

int64_t CeilDiv(int64_t n, int64_t d) {
    return -FloorDiv(-n, d);
}

int64_t Snap(float value) {
    return std::llround(static_cast<double>(value) * kSubpixel);
}

EdgeFunction MakeEdge(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const int64_t dx = x1 - x0;
    const int64_t dy = y1 - y0;
    // With clockwise vertices (y down) a top edge runs to the right and a left edge runs up.
    const bool topLeft = dy < 0 || (dy == 0 && dx > 0);
    return EdgeFunction{-kSubpixel * dy, kSubpixel * dx, dy * x0 - dx * y0, topLeft ? 0 : 1};
}

}  // namespace

bool InsideGuardBand(const ScreenVertex& v) {
    return std::abs(v.x) <= kGuardBand && std::abs(v.y) <= kGuardBand;
}

bool SetUpEdges(const ScreenVertex* const vertices[3], Cull cullMode, const Rect& clip,
                TriangleEdges* out) {
    int64_t x[3], y[3];
    for (int i = 0; i < 3; ++i) {
        x[i] = Snap(vertices[i]->x);
        y[i] = Snap(vertices[i]->y);
    }
    // Positive when the vertices run clockwise on screen.
    const int64_t area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
    if (area == 0 || (cullMode == Cull::CCW && area < 0) || (cullMode == Cull::CW && area > 0)) {
        return false;
    }
    out->order[0] = 0;
    out->order[1] = area > 0 ? 1 : 2;
    out->order[2] = area > 0 ? 2 : 1;
    const int* o = out->order;
    for (int i = 0; i < 3; ++i) {
        const int from = o[i];
        const int to = o[(i + 1) % 3];
        out->edges[i] = MakeEdge(x[from], y[from], x[to], y[to]);
    }
    const int64_t minY = std::min({y[0], y[1], y[2]});
    const int64_t maxY = std::max({y[0], y[1], y[2]});
    const int64_t minX = std::min({x[0], x[1], x[2]});
    const int64_t maxX = std::max({x[0], x[1], x[2]});
    out->firstRow = static_cast<int>(std::max<int64_t>(CeilDiv(minY, kSubpixel), clip.top));
    out->lastRow = static_cast<int>(std::min<int64_t>(FloorDiv(maxY, kSubpixel), clip.bottom - 1));
    out->clipLeft = static_cast<int>(std::max<int64_t>(CeilDiv(minX, kSubpixel), clip.left));
    out->clipRight = static_cast<int>(std::min<int64_t>(FloorDiv(maxX, kSubpixel) + 1, clip.right));
    return out->firstRow <= out->lastRow && out->clipLeft < out->clipRight;
}

void TriangleEdges::Span(int py, int* left, int* right) const {
    int64_t lo = clipLeft;
    int64_t hi = clipRight - 1;
    for (const EdgeFunction& e : edges) {
        // a * px + rowTerm >= bias
        const int64_t need = e.bias - (e.b * py + e.c);
        if (e.a > 0) {
            lo = std::max(lo, CeilDiv(need, e.a));
        } else if (e.a < 0) {
            hi = std::min(hi, FloorDiv(-need, -e.a));
        } else if (need > 0) {
            hi = lo - 1;
        }
    }
    *left = static_cast<int>(lo);
    *right = static_cast<int>(std::max(hi + 1, lo));
}

Rect UprightRectPixels(float x0, float y0, float x1, float y1) {
    // Left and top edges take the pixel centres on them, right and bottom ones do not.
    auto first = [](float edge) { return static_cast<int>(CeilDiv(Snap(edge), kSubpixel)); };
    return Rect{first(x0), first(y0), first(x1), first(y1)};
}

}  // namespace platform::raster
