// The PngSuite beside the repository (in the shared folder): the names of its valid and of its
// deliberately corrupt images, and the reference picture of a valid one from its JSON twin, as
// the loader is expected to deliver it (16-bit channels rounded to 8 bits, premultiplied
// transparent pixels of 16-bit files reading as transparent black).
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "d3dx9/image.h"
#include "platform/d3dx9/json_pixels.h"

namespace pokutan_test::pngsuite {

namespace fs = std::filesystem;
using platform::d3dx9::Image;
using platform::d3dx9::PackArgb;

inline const fs::path kSuite = fs::path(POKUTAN_SHARED_DIR) / "pngsuite";

// Suite file names, without extension, that are (corrupt) or are not (valid) marked with 'x'.
inline std::vector<std::string> SuiteNames(bool corrupt) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kSuite / "png", error)) {
        const std::string name = entry.path().stem().string();
        if (entry.path().extension() == ".png" && (name[0] == 'x') == corrupt) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The bit depth is the last two characters of a suite name ("basn0g16" -> 16).
inline int BitDepthOf(const std::string& name) {
    return std::stoi(name.substr(name.size() - 2));
}

// The reference picture: the 8-bit list where there is one, else the 16-bit list scaled.
inline bool ReferencePicture(const std::string& name, int width, int height, Image& picture) {
    std::optional<std::vector<uint32_t>> values;
    bool sixteenBit = false;
    if (fs::exists(kSuite / "json" / (name + "_to8.json"))) {
        values = pokutan_test::ReadIntegerArrayFile(kSuite / "json" / (name + "_to8.json"));
    } else {
        values = pokutan_test::ReadIntegerArrayFile(kSuite / "json" / (name + ".json"));
        sixteenBit = BitDepthOf(name) == 16;
    }
    if (!values || values->size() != static_cast<size_t>(width) * height * 4) {
        return false;
    }
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(values->size() / 4);
    auto channel = [&](size_t i) {
        const uint32_t value = (*values)[i];
        return sixteenBit ? (value * 255 + 32767) / 65535 : value;
    };
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        picture.pixels[i] =
            PackArgb(channel(4 * i + 3), channel(4 * i), channel(4 * i + 1), channel(4 * i + 2));
        // 16-bit pixels come premultiplied out of libpng: no colour survives under alpha 0.
        if (BitDepthOf(name) == 16 && channel(4 * i + 3) == 0) {
            picture.pixels[i] = 0;
        }
    }
    return true;
}

}  // namespace pokutan_test::pngsuite
