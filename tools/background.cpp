// The background's ground is smooth value noise; the discs have a soft edge and a slightly
// brighter rim, like out-of-focus lights. Levels stay low because eight copies are added.
#include "tools/background.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assets {

namespace {

uint32_t Hash(int x, int y, uint32_t salt) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 salt * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

double Unit(uint32_t hash) {
    return static_cast<double>(hash % 10007) / 10006.0;
}

double Smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

// Value noise in [0, 1] with lattice points every `spacing` texels.
double CloudNoise(double x, double y, double spacing, uint32_t salt) {
    double gx = x / spacing;
    double gy = y / spacing;
    int ix = static_cast<int>(std::floor(gx));
    int iy = static_cast<int>(std::floor(gy));
    double fx = Smooth(gx - ix);
    double fy = Smooth(gy - iy);
    double a = Unit(Hash(ix, iy, salt));
    double b = Unit(Hash(ix + 1, iy, salt));
    double c = Unit(Hash(ix, iy + 1, salt));
    double d = Unit(Hash(ix + 1, iy + 1, salt));
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

struct Disc {
    double x, y, radius, level;
};

std::vector<Disc> Discs() {
    constexpr int kCount = 230;
    std::vector<Disc> discs;
    for (int i = 0; i < kCount; ++i) {
        discs.push_back(Disc{Unit(Hash(i, 0, 11)) * kBackgroundSize,
                             Unit(Hash(i, 1, 11)) * kBackgroundSize,
                             3.0 + 11.0 * Unit(Hash(i, 2, 11)) * Unit(Hash(i, 3, 11)),
                             0.10 + 0.22 * Unit(Hash(i, 4, 11))});
    }
    return discs;
}

// How much of one disc lights a texel: flat inside with a brighter rim, soft at the edge.
double DiscLight(const Disc& disc, double x, double y) {
    double distance = std::hypot(x - disc.x, y - disc.y) / disc.radius;
    if (distance >= 1.0) {
        return 0.0;
    }
    double edge = std::clamp((1.0 - distance) / 0.25, 0.0, 1.0);
    double rim = 0.75 + 0.25 * distance * distance;
    return disc.level * Smooth(edge) * rim;
}

}  // namespace

Picture BackgroundPattern() {
    std::vector<double> light(static_cast<size_t>(kBackgroundSize) * kBackgroundSize, 0.0);
    for (int y = 0; y < kBackgroundSize; ++y) {
        for (int x = 0; x < kBackgroundSize; ++x) {
            double clouds = 0.6 * CloudNoise(x, y, 48.0, 5) + 0.4 * CloudNoise(x, y, 17.0, 6);
            light[static_cast<size_t>(y) * kBackgroundSize + x] = 0.02 + 0.07 * clouds;
        }
    }
    for (const Disc& disc : Discs()) {
        int reach = static_cast<int>(disc.radius) + 1;
        for (int y = std::max(0, static_cast<int>(disc.y) - reach);
             y <= std::min(kBackgroundSize - 1, static_cast<int>(disc.y) + reach); ++y) {
            for (int x = std::max(0, static_cast<int>(disc.x) - reach);
                 x <= std::min(kBackgroundSize - 1, static_cast<int>(disc.x) + reach); ++x) {
                light[static_cast<size_t>(y) * kBackgroundSize + x] +=
                    DiscLight(disc, x + 0.5, y + 0.5);
            }
        }
    }
    Picture picture(kBackgroundSize, kBackgroundSize, Grey(0));
    for (size_t i = 0; i < light.size(); ++i) {
        int level = static_cast<int>(std::lround(std::min(light[i], 1.0) * 255.0));
        picture.pixels[i] = Grey(level);
    }
    return picture;
}

}  // namespace assets
