// Comparing pictures with a tolerance, writing the evidence of a failure, and the reference files.
#include "support/PictureCompare.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace pokutan_test {
namespace {

namespace fs = std::filesystem;
using platform::testing::Image;

constexpr uint32_t kDifferingMark = 0xFFFF0000u;  // red
constexpr uint32_t kMissingMark = 0xFFFF00FFu;    // magenta: outside one of the pictures

bool Inside(const Image& picture, int x, int y) {
    return x < picture.width && y < picture.height;
}

// Differing pixels red, pixels only one picture has magenta, the rest the expected one dimmed.
Image DifferencePicture(const Image& actual, const Image& expected, int tolerance) {
    Image diff;
    diff.width = std::max(actual.width, expected.width);
    diff.height = std::max(actual.height, expected.height);
    diff.pixels.reserve(static_cast<size_t>(diff.width) * diff.height);
    for (int y = 0; y < diff.height; ++y) {
        for (int x = 0; x < diff.width; ++x) {
            if (!Inside(actual, x, y) || !Inside(expected, x, y)) {
                diff.pixels.push_back(kMissingMark);
            } else if (LargestChannelDifference(actual.At(x, y), expected.At(x, y)) > tolerance) {
                diff.pixels.push_back(kDifferingMark);
            } else {
                diff.pixels.push_back(0xFF000000u | (expected.At(x, y) >> 2 & 0x3F3F3F));
            }
        }
    }
    return diff;
}

// Test names may hold characters a file name should not (parameterised names, slashes).
std::string FileStem(const std::string& name) {
    std::string stem = name.empty() ? "picture" : name;
    for (char& c : stem) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
        if (!plain) {
            c = '_';
        }
    }
    return stem;
}

// Writes the pictures that exist as <name>_<kind>.png and says where they went.
std::string WriteFailedPictures(const std::string& name, const Image* actual, const Image* expected,
                                const Image* diff) {
    std::error_code error;
    fs::create_directories(kFailedPicturesFolder, error);
    const fs::path folder = fs::absolute(kFailedPicturesFolder, error);
    const std::string stem = (folder / FileStem(name)).string();
    std::ostringstream where;
    bool allWritten = true;
    auto write = [&](const Image* picture, const char* kind) {
        if (picture) {
            const std::string path = stem + "_" + kind + ".png";
            allWritten = SavePicturePng(*picture, path) && allWritten;
            where << (where.str().empty() ? "" : ", ") << path;
        }
    };
    write(actual, "actual");
    write(expected, "expected");
    write(diff, "diff");
    return where.str() + (allWritten ? "" : " (not all could be written)");
}

std::string Hex(uint32_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << std::uppercase << value;
    return text.str();
}

bool UpdatingReferences() {
    const char* update = std::getenv("POKUTAN_UPDATE_REFERENCES");
    return update && std::string(update) == "1";
}

fs::path ReferencePath(const std::string& referencePng) {
    const fs::path path(referencePng);
    return path.is_relative() ? fs::path(POKUTAN_TEST_SOURCE_DIR) / path : path;
}

}  // namespace

int LargestChannelDifference(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference =
            std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        largest = std::max(largest, difference);
    }
    return largest;
}

bool GlRendererRuns() {
    const char* renderer = std::getenv("POKUTAN_RENDERER");
    return renderer && std::string(renderer) == "gl";
}

RendererAgreement MeasureAgreement(const Image& actual, const Image& expected) {
    RendererAgreement agreement;
    const size_t count = std::min(actual.pixels.size(), expected.pixels.size());
    size_t close = 0;
    for (size_t i = 0; i < count; ++i) {
        const int difference = LargestChannelDifference(actual.pixels[i], expected.pixels[i]);
        agreement.largest = std::max(agreement.largest, difference);
        close += difference <= 2 ? 1 : 0;
    }
    agreement.shareWithinTwo = count ? static_cast<double>(close) / count : 1.0;
    return agreement;
}

testing::AssertionResult PicturesMatch(const Image& actual, const Image& expected,
                                       const std::string& name, int tolerance, int maxDiffering) {
    std::ostringstream failure;
    if (GlRendererRuns() && actual.width == expected.width && actual.height == expected.height) {
        // Drawn on the graphics card, held to the software picture: bilinear weights and
        // blending round differently in their last bits.
        const RendererAgreement agreement = MeasureAgreement(actual, expected);
        std::printf("renderer agreement %s: largest difference %d, %.4f %% within 2\n",
                    name.c_str(), agreement.largest, agreement.shareWithinTwo * 100.0);
        if (agreement.largest <= 8 && agreement.shareWithinTwo >= 0.999) {
            return testing::AssertionSuccess();
        }
    }
    if (actual.width != expected.width || actual.height != expected.height) {
        failure << "size " << actual.width << " x " << actual.height << ", expected "
                << expected.width << " x " << expected.height;
    } else {
        int differing = 0;
        int firstX = 0, firstY = 0;
        for (int y = 0; y < actual.height; ++y) {
            for (int x = 0; x < actual.width; ++x) {
                if (LargestChannelDifference(actual.At(x, y), expected.At(x, y)) > tolerance &&
                    differing++ == 0) {
                    firstX = x;
                    firstY = y;
                }
            }
        }
        if (differing <= maxDiffering) {
            return testing::AssertionSuccess();
        }
        failure << differing << " of " << actual.width << " x " << actual.height
                << " pixels differ by more than " << tolerance << " in a channel (at most "
                << maxDiffering << " may); the first at (" << firstX << ", " << firstY << ") is "
                << Hex(actual.At(firstX, firstY)) << ", expected "
                << Hex(expected.At(firstX, firstY));
    }
    const Image diff = DifferencePicture(actual, expected, tolerance);
    return testing::AssertionFailure() << name << ": " << failure.str() << "; pictures in "
                                       << WriteFailedPictures(name, &actual, &expected, &diff);
}

testing::AssertionResult MatchesReference(const Image& actual, const std::string& referencePng,
                                          const std::string& name, int tolerance,
                                          int maxDiffering) {
    const fs::path path = ReferencePath(referencePng);
    if (UpdatingReferences()) {
        std::error_code ignored;
        fs::create_directories(path.parent_path(), ignored);
        if (!SavePicturePng(actual, path.string())) {
            return testing::AssertionFailure()
                   << name << ": could not write the reference " << path.string();
        }
        return testing::AssertionSuccess() << name << ": reference written to " << path.string();
    }
    Image expected;
    if (!LoadPicturePng(path.string(), &expected)) {
        return testing::AssertionFailure()
               << name << ": no readable reference " << path.string()
               << " (POKUTAN_UPDATE_REFERENCES=1 writes it); actual picture in "
               << WriteFailedPictures(name, &actual, nullptr, nullptr);
    }
    return PicturesMatch(actual, expected, name, tolerance, maxDiffering);
}

}  // namespace pokutan_test
