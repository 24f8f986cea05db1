// Sutherland-Hodgman clipping against the four guard-band lines, in double precision.
#include "raster/guard_band_clipper.h"

#include <algorithm>
#include <cmath>

#include "raster/triangle_edges.h"

namespace platform::raster {

namespace {

// A vertex with everything that varies linearly across the screen.
struct LinearVertex {
    double x, y, z, q, uq, vq;
    double color[4];  // times q
};

LinearVertex ToLinear(const ScreenVertex& v) {
    LinearVertex l{v.x, v.y, v.z, v.rhw, v.u * double{v.rhw}, v.v * double{v.rhw}, {}};
    for (int k = 0; k < 4; ++k) {
        l.color[k] = ((v.diffuse >> (8 * k)) & 0xFF) * double{v.rhw};
    }
    return l;
}

ScreenVertex ToScreen(const LinearVertex& l) {
    const double w = l.q != 0 ? 1.0 / l.q : 0.0;
    uint32_t diffuse = 0;
    for (int k = 0; k < 4; ++k) {
        const double channel = std::clamp(l.color[k] * w, 0.0, 255.0);
        diffuse |= static_cast<uint32_t>(std::lround(channel)) << (8 * k);
    }
    return ScreenVertex{static_cast<float>(l.x),
                        static_cast<float>(l.y),
                        static_cast<float>(l.z),
                        static_cast<float>(l.q),
                        diffuse,
                        static_cast<float>(l.uq * w),
                        static_cast<float>(l.vq * w)};
}

LinearVertex Mix(const LinearVertex& a, const LinearVertex& b, double t) {
    auto mix = [t](double p, double q) { return p + (q - p) * t; };
    LinearVertex r{mix(a.x, b.x),
                   mix(a.y, b.y),
                   mix(a.z, b.z),
                   mix(a.q, b.q),
                   mix(a.uq, b.uq),
                   mix(a.vq, b.vq),
                   {}};
    for (int k = 0; k < 4; ++k) {
        r.color[k] = mix(a.color[k], b.color[k]);
    }
    return r;
}

// Keeps the part where sign * coordinate <= limit; axis 0 is x, 1 is y.
int ClipAgainst(const LinearVertex* in, int count, int axis, double sign, LinearVertex* out) {
    const double limit = kGuardBand - 1.0;
    auto distance = [&](const LinearVertex& v) { return limit - sign * (axis == 0 ? v.x : v.y); };
    int written = 0;
    for (int i = 0; i < count; ++i) {
        const LinearVertex& from = in[i];
        const LinearVertex& to = in[(i + 1) % count];
        const double d0 = distance(from);
        const double d1 = distance(to);
        if (d0 >= 0) {
            out[written++] = from;
        }
        if ((d0 >= 0) != (d1 >= 0)) {
            out[written++] = Mix(from, to, d0 / (d0 - d1));
        }
    }
    return written;
}

}  // namespace

int ClipToGuardBand(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                    ScreenVertex out[kMaxClippedVertices]) {
    LinearVertex buffers[2][kMaxClippedVertices + 1] = {{ToLinear(a), ToLinear(b), ToLinear(c)}};
    int count = 3;
    int current = 0;
    const int axes[4] = {0, 0, 1, 1};
    const double signs[4] = {1.0, -1.0, 1.0, -1.0};
    for (int plane = 0; plane < 4 && count > 0; ++plane) {
        count =
            ClipAgainst(buffers[current], count, axes[plane], signs[plane], buffers[1 - current]);
        current = 1 - current;
    }
    if (count < 3) {
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        out[i] = ToScreen(buffers[current][i]);
    }
    return count;
}

}  // namespace platform::raster
