// The desktop entry's icons: the marker resampled by area to each size, and their PNG files.
#include "tools/desktop_icons.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "tools/png_writer.h"
#include "tools/program_icon.h"

namespace assets {

namespace {

// The sums of one destination pixel: alpha and alpha-weighted colour, in overlap units.
struct Coverage {
    uint64_t alpha = 0;
    uint64_t channel[3] = {};

    void Add(uint32_t pixel, uint64_t weight) {
        uint64_t a = pixel >> 24;
        alpha += a * weight;
        for (int c = 0; c < 3; ++c) {
            channel[c] += ((pixel >> (16 - 8 * c)) & 0xFF) * a * weight;
        }
    }

    uint32_t Pixel(uint64_t area) const {
        if (alpha == 0) {
            return 0x00000000;
        }
        uint32_t pixel = static_cast<uint32_t>((alpha + area / 2) / area) << 24;
        for (int c = 0; c < 3; ++c) {
            pixel |= static_cast<uint32_t>((channel[c] + alpha / 2) / alpha) << (16 - 8 * c);
        }
        return pixel;
    }
};

// How much of source pixel `source` lies under destination pixel `target`, both measured in
// units of which a source pixel has `size` and a destination pixel `sourceSize`.
int Overlap(int source, int target, int size, int sourceSize) {
    int from = std::max(source * size, target * sourceSize);
    int to = std::min((source + 1) * size, (target + 1) * sourceSize);
    return std::max(0, to - from);
}

}  // namespace

Picture DesktopIcon(int size) {
    const Picture marker = ProgramIcon(32);
    const int n = marker.width;
    const uint64_t area = static_cast<uint64_t>(n) * n;
    Picture icon(size, size, 0x00000000);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Coverage coverage;
            for (int sy = y * n / size; sy < n && sy * size < (y + 1) * n; ++sy) {
                int rows = Overlap(sy, y, size, n);
                for (int sx = x * n / size; sx < n && sx * size < (x + 1) * n; ++sx) {
                    coverage.Add(marker.At(sx, sy),
                                 static_cast<uint64_t>(rows) * Overlap(sx, x, size, n));
                }
            }
            icon.Set(x, y, coverage.Pixel(area));
        }
    }
    return icon;
}

bool WriteDesktopIcons(const std::string& folder, std::string& error) {
    for (int size : kDesktopIconSizes) {
        std::string edge = std::to_string(size);
        std::filesystem::path apps = std::filesystem::path(folder) / (edge + "x" + edge) / "apps";
        std::error_code failure;
        std::filesystem::create_directories(apps, failure);
        std::string path = (apps / "pokutan.png").string();
        if (failure || !WritePng(path, DesktopIcon(size), PngChannels::kRgba)) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}

}  // namespace assets
