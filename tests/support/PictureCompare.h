// The tests' one way to compare pictures: a per-channel tolerance and a number of pixels allowed
// to exceed it. A failed comparison leaves <name>_actual.png, _expected.png and _diff.png in
// failed_pictures/ under the test's working folder (the diff shows differing pixels red, pixels
// outside either picture magenta and matching ones as a dimmed copy of the expected picture).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/PicturePng.h"
#include "test_seam.h"

namespace pokutan_test {

// The folder failed comparisons write into, relative to the working folder.
inline constexpr const char* kFailedPicturesFolder = "failed_pictures";

// The largest difference of any one of the four channels of two ARGB values.
int LargestChannelDifference(uint32_t a, uint32_t b);

// Passes when both pictures have the same size and at most maxDiffering pixels differ by more
// than tolerance in some channel. The failure names the count, the first differing pixel and
// where the three pictures went.
testing::AssertionResult PicturesMatch(const platform::testing::Image& actual,
                                       const platform::testing::Image& expected,
                                       const std::string& name, int tolerance = 0,
                                       int maxDiffering = 0);

// PicturesMatch against a PNG kept beside the tests; a relative path is taken from the tests'
// source folder. With POKUTAN_UPDATE_REFERENCES=1 in the environment the reference is (re)written
// from the actual picture instead, and the check passes.
testing::AssertionResult MatchesReference(const platform::testing::Image& actual,
                                          const std::string& referencePng, const std::string& name,
                                          int tolerance = 0, int maxDiffering = 0);

}  // namespace pokutan_test
