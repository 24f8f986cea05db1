// What varies across a triangle: depth, diffuse colour and texture coordinates as planes over
// the screen, and their per-batch evaluation into the arrays of a PixelBatch. When all three
// rhw are equal everything is affine and steps in fixed point without division; otherwise
// colour and texture coordinates are interpolated perspective-correctly, dividing per pixel.
#pragma once

#include <cstdint>
#include <span>

#include "raster/pixel_batch.h"
#include "raster/raster_types.h"
#include "raster/sampler.h"

namespace platform::raster {

// value(px, py) = at + dx * px + dy * py.
struct Plane {
    double at = 0, dx = 0, dy = 0;
    double At(double px, double py) const { return at + dx * px + dy * py; }
};

// How one mip level maps normalised coordinates to the 16.16 coordinates the sampler reads.
struct TexelMapping {
    double scaleU = 0, scaleV = 0;    // level size times 65536
    double offset = 0;                // subtracted after scaling (half a texel for bilinear)
    double periodU = 0, periodV = 0;  // wrap period in 16.16 units; 0 clamps instead
};

struct TriangleAttributes {
    // False when the unsnapped vertices are collinear and no planes exist.
    bool valid = false;
    bool perspective = false;
    bool flatColor = false;
    uint32_t flatDiffuse = 0;
    Plane q;         // rhw; perspective only
    Plane u, v;      // texture coordinates (times rhw when perspective)
    Plane color[4];  // channels in memory order B, G, R, A, 0..255 (times rhw when perspective)
    Plane z;         // depth in 24-bit units
    uint32_t minDepth = 0, maxDepth = 0xFFFFFF;

    // Texels of a width x height level per pixel along the steeper screen axis, at (cx, cy).
    double TexelsPerPixel(double width, double height, double cx, double cy) const;
};

// The planes through three vertices (any order); the triangle must not be degenerate.
TriangleAttributes BuildAttributes(const ScreenVertex& a, const ScreenVertex& b,
                                   const ScreenVertex& c, const Viewport& viewport);

// The batch's coordinates for one level: a start and a step when affine, otherwise filled into
// batch.u and batch.v.
TexelCoords TexCoordsFor(const TriangleAttributes& t, const TexelMapping& mapping,
                         PixelBatch& batch);

// TexCoordsFor of an affine triangle, batch after batch along a row: the same values, with the
// steps worked out once per triangle and the row's share of each start once per row.
class AffineTexCoords {
  public:
    AffineTexCoords(const TriangleAttributes& t, const TexelMapping& mapping);

    void SetRow(int y);
    // The coordinates of the batch starting at column x of the row.
    TexelCoords At(int x) const;
    // The starts of every batch of `step` pixels from column left up to right, in one go.
    void Starts(int left, int right, int step, int32_t* u, int32_t* v) const;
    int32_t du() const { return u_.step; }
    int32_t dv() const { return v_.step; }

  private:
    struct Axis {
        const Plane* plane;
        double scale, offset, period, rowTerm;
        int32_t step;
        int32_t StartAt(int x) const;
    };
    Axis u_, v_;
};

void FillDiffuse(const TriangleAttributes& t, PixelBatch& batch);
void FillDepth(const TriangleAttributes& t, PixelBatch& batch);

// The least 24-bit depth that a draw of these vertices can write through the viewport: exact
// when every vertex has the same z, a little below the true least value otherwise.
uint32_t LeastDepth(std::span<const ScreenVertex> vertices, const Viewport& viewport);

}  // namespace platform::raster
