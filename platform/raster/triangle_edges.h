// Coverage of one screen-space triangle: vertices snapped to 1/256 pixel, exact integer edge
// functions, the top-left fill rule and culling. A pixel (px, py) is covered when its centre
// (px, py) lies inside; centres exactly on an edge belong to the triangle only on a top or left
// edge, so triangles sharing an edge cover each pixel once.
#pragma once

#include <cstdint>

#include "raster/raster_types.h"

namespace platform::raster {

// Vertices farther out than this (in pixels) must be clipped before edge set-up, which keeps
// the edge arithmetic inside 64 bits.
constexpr float kGuardBand = 32768.0f;

struct EdgeFunction {
    // E(px, py) = a * px + b * py + c, in units of 1/65536 pixel squared; covered when E >= bias.
    int64_t a, b, c, bias;
};

struct TriangleEdges {
    EdgeFunction edges[3];
    // Rows to visit, inclusive, already cut to the clip rectangle.
    int firstRow, lastRow;
    // Clip rectangle columns, half-open.
    int clipLeft, clipRight;
    // The triangle's vertices in the order the edges use (clockwise on screen).
    int order[3];

    // The covered columns [*left, *right) of row py, cut to the clip rectangle.
    void Span(int py, int* left, int* right) const;
};

// True when the vertices are finite and lie within the guard band.
bool InsideGuardBand(const ScreenVertex& v);

// Sets up the edges; false when the triangle is culled, degenerate or covers no row of clip.
// The vertices must be finite and inside the guard band.
bool SetUpEdges(const ScreenVertex* const vertices[3], Cull cullMode, const Rect& clip,
                TriangleEdges* out);

// The pixels that the two triangles of an upright rectangle with corners (x0, y0) and
// (x1, y1) cover together, by the same fill rule (x0 < x1, y0 < y1; not clipped).
Rect UprightRectPixels(float x0, float y0, float x1, float y1);

}  // namespace platform::raster
