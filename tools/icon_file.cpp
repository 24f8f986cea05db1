// Writes .ico files: little-endian headers, then each picture as a BITMAPINFOHEADER, the
// colour rows bottom-up as BGRA and the mask rows (a set bit is transparent) padded to 4 bytes.
#include "tools/icon_file.h"

#include <cstdint>

namespace assets {

namespace {

constexpr uint32_t kDirectorySize = 6;
constexpr uint32_t kEntrySize = 16;
constexpr uint32_t kBitmapHeaderSize = 40;

void Put16(std::string& out, uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

uint32_t MaskRowBytes(const Picture& picture) {
    return (static_cast<uint32_t>(picture.width) + 31) / 32 * 4;
}

uint32_t ImageSize(const Picture& picture) {
    uint32_t rows = static_cast<uint32_t>(picture.height);
    return kBitmapHeaderSize + rows * static_cast<uint32_t>(picture.width) * 4 +
           rows * MaskRowBytes(picture);
}

void PutEntry(std::string& out, const Picture& picture, uint32_t offset) {
    out.push_back(static_cast<char>(picture.width & 0xFF));  // 256 is stored as 0
    out.push_back(static_cast<char>(picture.height & 0xFF));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, ImageSize(picture));
    Put32(out, offset);
}

void PutImage(std::string& out, const Picture& picture) {
    const uint32_t width = static_cast<uint32_t>(picture.width);
    const uint32_t height = static_cast<uint32_t>(picture.height);
    Put32(out, kBitmapHeaderSize);
    Put32(out, width);
    Put32(out, height * 2);  // colour rows and mask rows
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);  // uncompressed
    Put32(out, ImageSize(picture) - kBitmapHeaderSize);
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0);  // resolution and palette counts
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            Put32(out, picture.At(x, y));  // ARGB in little-endian order is B, G, R, A
        }
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        std::string row(MaskRowBytes(picture), '\0');
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) >> 24 == 0) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out += row;
    }
}

}  // namespace

std::string IconFile(const std::vector<Picture>& pictures) {
    std::string out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<uint32_t>(pictures.size()));
    uint32_t offset = kDirectorySize + kEntrySize * static_cast<uint32_t>(pictures.size());
    for (const Picture& picture : pictures) {
        PutEntry(out, picture, offset);
        offset += ImageSize(picture);
    }
    for (const Picture& picture : pictures) {
        PutImage(out, picture);
    }
    return out;
}

}  // namespace assets
