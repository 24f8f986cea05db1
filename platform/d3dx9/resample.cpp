// Separable resampling. Each target row first sums its weighted source rows into one row of
// floats, then filters that row horizontally, so memory stays at one row whatever the scale.
// Channels are kept both alpha-weighted (for colour) and straight (for areas that are wholly
// transparent, which keep their own colour).
#include "d3dx9/resample.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace platform::d3dx9 {

namespace {

// For every target index along one axis: the source indices and weights (summing to 1).
struct AxisTaps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> offset;  // into weights
    std::vector<float> weights;
};

struct Accum {
    float weightedRed = 0, weightedGreen = 0, weightedBlue = 0;  // channel * alpha
    float alpha = 0;                                             // 0..1
    float red = 0, green = 0, blue = 0;                          // straight channels
};

void AddWeightedTap(AxisTaps& taps, std::vector<double>& scratch, int first) {
    double total = 0;
    for (double weight : scratch) {
        total += weight;
    }
    taps.first.push_back(first);
    taps.count.push_back(static_cast<int>(scratch.size()));
    taps.offset.push_back(static_cast<int>(taps.weights.size()));
    for (double weight : scratch) {
        taps.weights.push_back(total > 0 ? static_cast<float>(weight / total) : 0.0f);
    }
}

AxisTaps TriangleTaps(int sourceSize, int targetSize) {
    AxisTaps taps;
    const double scale = static_cast<double>(sourceSize) / targetSize;
    const double radius = std::max(1.0, scale);
    std::vector<double> scratch;
    for (int i = 0; i < targetSize; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int low = static_cast<int>(std::ceil(centre - radius));
        const int high = static_cast<int>(std::floor(centre + radius));
        const int first = std::clamp(low, 0, sourceSize - 1);
        const int last = std::clamp(high, 0, sourceSize - 1);
        scratch.assign(static_cast<size_t>(last - first + 1), 0.0);
        for (int j = low; j <= high; ++j) {
            const double weight = 1.0 - std::abs(j - centre) / radius;
            if (weight > 0) {
                scratch[static_cast<size_t>(std::clamp(j, 0, sourceSize - 1) - first)] += weight;
            }
        }
        AddWeightedTap(taps, scratch, first);
    }
    return taps;
}

AxisTaps BoxTaps(int sourceSize, int targetSize) {
    AxisTaps taps;
    const double scale = static_cast<double>(sourceSize) / targetSize;
    std::vector<double> scratch;
    for (int i = 0; i < targetSize; ++i) {
        const double start = i * scale;
        const double end = (i + 1) * scale;
        const int first = std::min(static_cast<int>(std::floor(start)), sourceSize - 1);
        const int last = std::clamp(static_cast<int>(std::ceil(end)) - 1, first, sourceSize - 1);
        scratch.assign(static_cast<size_t>(last - first + 1), 0.0);
        for (int j = first; j <= last; ++j) {
            scratch[static_cast<size_t>(j - first)] =
                std::max(0.0, std::min(end, j + 1.0) - std::max(start, static_cast<double>(j)));
        }
        AddWeightedTap(taps, scratch, first);
    }
    return taps;
}

AxisTaps TapsFor(Filter filter, int sourceSize, int targetSize) {
    return filter == Filter::kBox ? BoxTaps(sourceSize, targetSize)
                                  : TriangleTaps(sourceSize, targetSize);
}

void AddPixel(Accum& sum, uint32_t argb, float weight) {
    const float alpha = AlphaOf(argb) / 255.0f;
    const float red = static_cast<float>(RedOf(argb));
    const float green = static_cast<float>(GreenOf(argb));
    const float blue = static_cast<float>(BlueOf(argb));
    sum.weightedRed += weight * red * alpha;
    sum.weightedGreen += weight * green * alpha;
    sum.weightedBlue += weight * blue * alpha;
    sum.alpha += weight * alpha;
    sum.red += weight * red;
    sum.green += weight * green;
    sum.blue += weight * blue;
}

void AddAccum(Accum& sum, const Accum& part, float weight) {
    sum.weightedRed += weight * part.weightedRed;
    sum.weightedGreen += weight * part.weightedGreen;
    sum.weightedBlue += weight * part.weightedBlue;
    sum.alpha += weight * part.alpha;
    sum.red += weight * part.red;
    sum.green += weight * part.green;
    sum.blue += weight * part.blue;
}

uint32_t ToByte(float value) {
    return static_cast<uint32_t>(std::clamp(std::floor(value + 0.5f), 0.0f, 255.0f));
}

uint32_t ToPixel(const Accum& sum) {
    const uint32_t alpha = ToByte(sum.alpha * 255.0f);
    if (sum.alpha <= 0.0f) {
        return PackArgb(alpha, ToByte(sum.red), ToByte(sum.green), ToByte(sum.blue));
    }
    return PackArgb(alpha, ToByte(sum.weightedRed / sum.alpha),
                    ToByte(sum.weightedGreen / sum.alpha), ToByte(sum.weightedBlue / sum.alpha));
}

bool IsWellFormed(const Image& image) {
    return image.width > 0 && image.height > 0 &&
           image.pixels.size() == static_cast<size_t>(image.width) * image.height;
}

void ResampleRow(const Image& source, const AxisTaps& across, const AxisTaps& down, int y,
                 std::vector<Accum>& columnSums, Image& target) {
    std::fill(columnSums.begin(), columnSums.end(), Accum{});
    for (int t = 0; t < down.count[y]; ++t) {
        const int row = down.first[y] + t;
        const float weight = down.weights[static_cast<size_t>(down.offset[y] + t)];
        for (int x = 0; x < source.width; ++x) {
            AddPixel(columnSums[static_cast<size_t>(x)], source.At(x, row), weight);
        }
    }
    for (int x = 0; x < target.width; ++x) {
        Accum sum;
        for (int t = 0; t < across.count[x]; ++t) {
            const float weight = across.weights[static_cast<size_t>(across.offset[x] + t)];
            AddAccum(sum, columnSums[static_cast<size_t>(across.first[x] + t)], weight);
        }
        target.At(x, y) = ToPixel(sum);
    }
}

}  // namespace

int NextPowerOfTwo(int value) {
    int power = 1;
    while (power < value && power <= (1 << 29)) {
        power <<= 1;
    }
    return power;
}

std::optional<Image> Resample(const Image& source, int width, int height, Filter filter) {
    if (!IsWellFormed(source) || !FitsImageLimits(width, height)) {
        return std::nullopt;
    }
    try {
        if (width == source.width && height == source.height) {
            return source;
        }
        Image target;
        target.width = width;
        target.height = height;
        target.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        const AxisTaps across = TapsFor(filter, source.width, width);
        const AxisTaps down = TapsFor(filter, source.height, height);
        std::vector<Accum> columnSums(static_cast<size_t>(source.width));
        for (int y = 0; y < height; ++y) {
            ResampleRow(source, across, down, y, columnSums, target);
        }
        return target;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace platform::d3dx9
