// Attribute planes of a triangle and their evaluation over a batch.
#include "raster/triangle_attributes.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "raster/surface.h"

namespace platform::raster {

namespace {

// Beyond these the 16.16 coordinates would overflow; such coordinates only occur with
// absurd texture scales, where the clamped result is as good as any.
constexpr double kCoordLimit = 1073741824.0;  // 2^30
constexpr double kStepLimit = 8388608.0;      // 2^23: 128 texels per pixel

struct PlaneBuilder {
    double x0, y0, ex1, ey1, ex2, ey2, invDet;

    Plane Through(double f0, double f1, double f2) const {
        Plane p;
        p.dx = ((f1 - f0) * ey2 - (f2 - f0) * ey1) * invDet;
        p.dy = ((f2 - f0) * ex1 - (f1 - f0) * ex2) * invDet;
        p.at = f0 - p.dx * x0 - p.dy * y0;
        return p;
    }
};

// Round to nearest for values already clamped to a safe range; std::lround is a library call.
inline int64_t RoundClamped(double x) {
    // NaN fails both comparisons and becomes 0 rather than an undefined conversion.
    return x >= 0 ? static_cast<int64_t>(x + 0.5) : (x < 0 ? static_cast<int64_t>(x - 0.5) : 0);
}

double Channel(uint32_t color, int index) {
    return (color >> (8 * index)) & 0xFF;
}

// Brings a coordinate into range: wrapping ones modulo their period, the rest clamped.
double Reduce(double value, double period) {
    if (period > 0) {
        value -= std::floor(value / period) * period;
    }
    return std::clamp(value, -kCoordLimit, kCoordLimit);
}

int32_t AffineStart(double at, double scale, double offset, double period) {
    return static_cast<int32_t>(RoundClamped(Reduce(at * scale - offset, period)));
}

int32_t AffineStep(const Plane& plane, double scale) {
    return static_cast<int32_t>(
        RoundClamped(std::clamp(plane.dx * scale, -kStepLimit, kStepLimit)));
}

// Start and step of one axis over the batch.
std::pair<int32_t, int32_t> AxisAffine(const Plane& plane, double scale, double offset,
                                       double period, const PixelBatch& batch) {
    return {AffineStart(plane.At(batch.x, batch.y), scale, offset, period),
            AffineStep(plane, scale)};
}

uint32_t PackChannels(const int32_t c[4]) {
    uint32_t result = 0;
    for (int k = 0; k < 4; ++k) {
        result |= static_cast<uint32_t>(std::clamp(c[k], 0, 255)) << (8 * k);
    }
    return result;
}

}  // namespace

TriangleAttributes BuildAttributes(const ScreenVertex& a, const ScreenVertex& b,
                                   const ScreenVertex& c, const Viewport& viewport) {
    PlaneBuilder builder{
        a.x, a.y, double{b.x} - a.x, double{b.y} - a.y, double{c.x} - a.x, double{c.y} - a.y, 0.0};
    builder.invDet = 1.0 / (builder.ex1 * builder.ey2 - builder.ex2 * builder.ey1);

    TriangleAttributes t;
    t.valid = std::isfinite(builder.invDet);
    t.perspective = !(a.rhw == b.rhw && b.rhw == c.rhw);
    const double qa = t.perspective ? a.rhw : 1.0;
    const double qb = t.perspective ? b.rhw : 1.0;
    const double qc = t.perspective ? c.rhw : 1.0;
    t.q = builder.Through(qa, qb, qc);
    t.u = builder.Through(a.u * qa, b.u * qb, c.u * qc);
    t.v = builder.Through(a.v * qa, b.v * qb, c.v * qc);
    t.flatColor = a.diffuse == b.diffuse && b.diffuse == c.diffuse;
    t.flatDiffuse = a.diffuse;
    for (int k = 0; k < 4 && !t.flatColor; ++k) {
        t.color[k] = builder.Through(Channel(a.diffuse, k) * qa, Channel(b.diffuse, k) * qb,
                                     Channel(c.diffuse, k) * qc);
    }
    constexpr double kDepthScale = 16777215.0;
    t.z = builder.Through(a.z * kDepthScale, b.z * kDepthScale, c.z * kDepthScale);
    t.minDepth = DepthToD24(viewport.minZ);
    t.maxDepth = std::max(DepthToD24(viewport.maxZ), t.minDepth);
    return t;
}

double TriangleAttributes::TexelsPerPixel(double width, double height, double cx, double cy) const {
    double dudx = u.dx, dudy = u.dy, dvdx = v.dx, dvdy = v.dy;
    if (perspective) {
        // d(U / q) = (dU - (U / q) dq) / q
        const double w = 1.0 / q.At(cx, cy);
        const double uc = u.At(cx, cy) * w;
        const double vc = v.At(cx, cy) * w;
        dudx = (u.dx - uc * q.dx) * w;
        dudy = (u.dy - uc * q.dy) * w;
        dvdx = (v.dx - vc * q.dx) * w;
        dvdy = (v.dy - vc * q.dy) * w;
    }
    const double rx = std::hypot(dudx * width, dvdx * height);
    const double ry = std::hypot(dudy * width, dvdy * height);
    return std::max(rx, ry);
}

TexelCoords TexCoordsFor(const TriangleAttributes& t, const TexelMapping& m, PixelBatch& batch) {
    TexelCoords coords;
    if (!t.perspective) {
        coords.stepped = true;
        std::tie(coords.u0, coords.du) = AxisAffine(t.u, m.scaleU, m.offset, m.periodU, batch);
        std::tie(coords.v0, coords.dv) = AxisAffine(t.v, m.scaleV, m.offset, m.periodV, batch);
        return coords;
    }
    for (int i = 0, n = batch.count; i < n; ++i) {
        const double px = batch.x + i;
        const double w = 1.0 / t.q.At(px, batch.y);
        const double u = Reduce(t.u.At(px, batch.y) * w * m.scaleU - m.offset, m.periodU);
        const double v = Reduce(t.v.At(px, batch.y) * w * m.scaleV - m.offset, m.periodV);
        batch.u[i] = static_cast<int32_t>(std::lround(u));
        batch.v[i] = static_cast<int32_t>(std::lround(v));
    }
    coords.u = batch.u;
    coords.v = batch.v;
    return coords;
}

AffineTexCoords::AffineTexCoords(const TriangleAttributes& t, const TexelMapping& m)
    : u_{&t.u, m.scaleU, m.offset, m.periodU, 0.0, AffineStep(t.u, m.scaleU)},
      v_{&t.v, m.scaleV, m.offset, m.periodV, 0.0, AffineStep(t.v, m.scaleV)} {}

void AffineTexCoords::SetRow(int y) {
    const double py = y;
    u_.rowTerm = u_.plane->dy * py;
    v_.rowTerm = v_.plane->dy * py;
}

int32_t AffineTexCoords::Axis::StartAt(int x) const {
    // Plane::At's own order of operations, so the sum rounds the same way.
    const double at = plane->at + plane->dx * static_cast<double>(x) + rowTerm;
    return AffineStart(at, scale, offset, period);
}

void AffineTexCoords::Starts(int left, int right, int step, int32_t* u, int32_t* v) const {
    for (int x = left; x < right; x += step) {
        *u++ = u_.StartAt(x);
        *v++ = v_.StartAt(x);
    }
}

TexelCoords AffineTexCoords::At(int x) const {
    TexelCoords coords;
    coords.stepped = true;
    coords.u0 = u_.StartAt(x);
    coords.du = u_.step;
    coords.v0 = v_.StartAt(x);
    coords.dv = v_.step;
    return coords;
}

void FillDiffuse(const TriangleAttributes& t, PixelBatch& batch) {
    if (t.flatColor) {
        std::fill(batch.diffuse, batch.diffuse + batch.count, t.flatDiffuse);
        return;
    }
    if (t.perspective) {
        for (int i = 0, n = batch.count; i < n; ++i) {
            const double px = batch.x + i;
            const double w = 1.0 / t.q.At(px, batch.y);
            int32_t c[4];
            for (int k = 0; k < 4; ++k) {
                c[k] = static_cast<int32_t>(std::lround(t.color[k].At(px, batch.y) * w));
            }
            batch.diffuse[i] = PackChannels(c);
        }
        return;
    }
    int32_t start[4], step[4];
    for (int k = 0; k < 4; ++k) {
        const double at = std::clamp(t.color[k].At(batch.x, batch.y), -256.0, 512.0);
        const double dx = std::clamp(t.color[k].dx, -256.0, 256.0);
        start[k] = static_cast<int32_t>(RoundClamped(at * 65536.0)) + 32768;
        step[k] = static_cast<int32_t>(RoundClamped(dx * 65536.0));
    }
    for (int i = 0, n = batch.count; i < n; ++i) {
        int32_t c[4];
        for (int k = 0; k < 4; ++k) {
            c[k] = (start[k] + i * step[k]) >> 16;
        }
        batch.diffuse[i] = PackChannels(c);
    }
}

void FillDepth(const TriangleAttributes& t, PixelBatch& batch) {
    const int n = batch.count;
    const double start = t.z.At(batch.x, batch.y);
    batch.depthConstant = t.z.dx == 0;
    if (batch.depthConstant) {
        // Level along the row (every sprite of the game): one value for the whole batch.
        const double clamped =
            std::clamp(start, static_cast<double>(t.minDepth), static_cast<double>(t.maxDepth));
        batch.depthValue = static_cast<uint32_t>(RoundClamped(clamped));
        return;
    }
    const double end = start + t.z.dx * (n - 1);
    if (std::min(start, end) >= t.minDepth && std::max(start, end) <= t.maxDepth &&
        std::abs(t.z.dx) < 8388608.0) {
        // Inside the depth range throughout: 24.8 fixed point, no clamping.
        const uint32_t s = static_cast<uint32_t>(RoundClamped(start * 256.0)) + 128;
        const uint32_t d =
            static_cast<uint32_t>(static_cast<int32_t>(RoundClamped(t.z.dx * 256.0)));
        for (int i = 0; i < n; ++i) {
            batch.depth[i] = (s + static_cast<uint32_t>(i) * d) >> 8;
        }
        return;
    }
    constexpr double kLimit = 4.0 * 16777216.0 * 65536.0;
    const int64_t s = std::llround(std::clamp(start * 65536.0, -kLimit, kLimit)) + 32768;
    const int64_t d = std::llround(std::clamp(t.z.dx * 65536.0, -kLimit / 256, kLimit / 256));
    const int64_t lo = t.minDepth, hi = t.maxDepth;
    for (int i = 0; i < n; ++i) {
        batch.depth[i] = static_cast<uint32_t>(std::clamp((s + i * d) >> 16, lo, hi));
    }
}

uint32_t LeastDepth(std::span<const ScreenVertex> vertices, const Viewport& viewport) {
    constexpr double kDepthScale = 16777215.0;
    const double lo = DepthToD24(viewport.minZ);
    const double hi = std::max(DepthToD24(viewport.maxZ), DepthToD24(viewport.minZ));
    bool flat = true;
    double least = vertices.empty() ? 0.0 : vertices[0].z * kDepthScale;
    for (const ScreenVertex& v : vertices) {
        flat = flat && v.z == vertices[0].z;
        least = std::min(least, v.z * kDepthScale);
    }
    if (flat) {
        // FillDepth's level case: the plane through equal values is that value.
        return static_cast<uint32_t>(RoundClamped(std::clamp(least, lo, hi)));
    }
    // Interpolation stays between the vertices; two steps of margin cover its rounding.
    return static_cast<uint32_t>(std::clamp(std::floor(least) - 2.0, lo, hi));
}

}  // namespace platform::raster
