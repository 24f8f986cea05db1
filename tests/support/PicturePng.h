// Reading and writing the tests' pictures as PNG files: the one place tests turn a picture into a
// file (failed comparisons, references, texture files for the code under test) and back.
// Written with libpng directly, so that a reference never passes through the loader it checks.
#pragma once

#include <string>

#include "test_seam.h"

namespace pokutan_test {

// Reads any PNG libpng accepts into ARGB pixels, values as stored (no colour-space conversion);
// false, with the picture left empty, when the file is missing or not a valid PNG.
bool LoadPicturePng(const std::string& path, platform::testing::Image* picture);

// Writes 8-bit RGBA; false when the picture is empty or inconsistent or the file cannot be
// written.
bool SavePicturePng(const platform::testing::Image& picture, const std::string& path);

}  // namespace pokutan_test
