// Mip chain construction on top of the box filter of the resampler.
#include "d3dx9/mip_chain.h"

#include <algorithm>
#include <new>
#include <utility>

#include "d3dx9/resample.h"

namespace platform::d3dx9 {

int FullMipLevelCount(int width, int height) {
    int levels = 1;
    for (int side = std::max(width, height); side > 1; side /= 2) {
        ++levels;
    }
    return levels;
}

std::vector<Image> BuildMipChain(Image level0, int levels) {
    if (level0.width <= 0 || level0.height <= 0 ||
        level0.pixels.size() != static_cast<size_t>(level0.width) * level0.height) {
        return {};
    }
    const int fullCount = FullMipLevelCount(level0.width, level0.height);
    const int count = (levels <= 0 || levels > fullCount) ? fullCount : levels;
    std::vector<Image> chain;
    try {
        chain.reserve(static_cast<size_t>(count));
        chain.push_back(std::move(level0));
        while (static_cast<int>(chain.size()) < count) {
            const Image& above = chain.back();
            std::optional<Image> next = Resample(above, std::max(1, above.width / 2),
                                                 std::max(1, above.height / 2), Filter::kBox);
            if (!next) {
                return {};
            }
            chain.push_back(std::move(*next));
        }
    } catch (const std::bad_alloc&) {
        return {};
    }
    return chain;
}

}  // namespace platform::d3dx9
