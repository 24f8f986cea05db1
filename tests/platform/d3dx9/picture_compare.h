// Picture comparison for the image-loading tests: a per-channel tolerance, and on a mismatch both
// pictures saved as PNG under failed_pictures/ in the test's working folder for inspection.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "d3dx9/image.h"
#include "d3dx9/image_file.h"

namespace pokutan_test {

inline int LargestChannelDifference(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference =
            std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        largest = std::max(largest, difference);
    }
    return largest;
}

inline void SavePicturesForInspection(const platform::d3dx9::Image& actual,
                                      const platform::d3dx9::Image& expected,
                                      const std::string& name) {
    std::error_code ignored;
    std::filesystem::create_directories("failed_pictures", ignored);
    platform::d3dx9::WritePngFile("failed_pictures/" + name + "_actual.png", actual);
    platform::d3dx9::WritePngFile("failed_pictures/" + name + "_expected.png", expected);
}

// Passes when both pictures have the same size and every channel differs by at most tolerance.
inline testing::AssertionResult PicturesMatch(const platform::d3dx9::Image& actual,
                                              const platform::d3dx9::Image& expected, int tolerance,
                                              const std::string& name) {
    std::ostringstream failure;
    if (actual.width != expected.width || actual.height != expected.height) {
        failure << "size " << actual.width << " x " << actual.height << ", expected "
                << expected.width << " x " << expected.height;
    } else {
        for (int y = 0; y < actual.height && failure.str().empty(); ++y) {
            for (int x = 0; x < actual.width; ++x) {
                if (LargestChannelDifference(actual.At(x, y), expected.At(x, y)) > tolerance) {
                    failure << std::hex << "pixel (" << std::dec << x << ", " << y << ") is 0x"
                            << std::hex << actual.At(x, y) << ", expected 0x" << expected.At(x, y);
                    break;
                }
            }
        }
    }
    if (failure.str().empty()) {
        return testing::AssertionSuccess();
    }
    SavePicturesForInspection(actual, expected, name);
    return testing::AssertionFailure()
           << name << ": " << failure.str() << " (pictures in failed_pictures/)";
}

}  // namespace pokutan_test
