// Reads the reference pixel lists beside the PngSuite images: one JSON array of non-negative
// integers ("[r, g, b, a, ...]"). Nothing else of JSON is needed, so nothing else is accepted.
#pragma once

#include <cctype>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace pokutan_test {

inline std::optional<std::vector<uint32_t>> ParseIntegerArray(const std::string& text) {
    size_t at = 0;
    auto skipSpace = [&] {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
            ++at;
        }
    };
    skipSpace();
    if (at >= text.size() || text[at++] != '[') {
        return std::nullopt;
    }
    std::vector<uint32_t> values;
    skipSpace();
    if (at < text.size() && text[at] == ']') {
        ++at;
    } else {
        for (;;) {
            skipSpace();
            if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) {
                return std::nullopt;
            }
            uint64_t value = 0;
            while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
                value = value * 10 + static_cast<uint64_t>(text[at++] - '0');
                if (value > UINT32_MAX) {
                    return std::nullopt;
                }
            }
            values.push_back(static_cast<uint32_t>(value));
            skipSpace();
            if (at < text.size() && text[at] == ',') {
                ++at;
                continue;
            }
            if (at < text.size() && text[at] == ']') {
                ++at;
                break;
            }
            return std::nullopt;
        }
    }
    skipSpace();
    if (at != text.size()) {
        return std::nullopt;
    }
    return values;
}

inline std::optional<std::vector<uint32_t>> ReadIntegerArrayFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseIntegerArray(text.str());
}

}  // namespace pokutan_test
