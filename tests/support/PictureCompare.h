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

// How close a picture of the GL renderer is to the software renderer's: the largest channel
// difference and the share of pixels within 2 levels.
struct RendererAgreement {
    int largest = 0;
    double shareWithinTwo = 1.0;
};
RendererAgreement MeasureAgreement(const platform::testing::Image& actual,
                                   const platform::testing::Image& expected);

// True when the tests run on the GL renderer (POKUTAN_RENDERER=gl).
bool GlRendererRuns();

// Passes when both pictures have the same size and at most maxDiffering pixels differ by more
// than tolerance in some channel. On the GL renderer a picture also passes when it agrees with
// the expected (software) one within 2 levels on 99.9 % of its pixels and within 8 on all; the
// measure is printed either way. The failure names the count, the first differing pixel and
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
