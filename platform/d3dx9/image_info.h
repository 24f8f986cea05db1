// What D3DXIMAGE_INFO says about an image file, as plain numbers so that the loading steps need
// no Windows types; the D3DX entry points copy it field by field. Only PNG files are read.
#pragma once

#include <cstdint>

namespace platform::d3dx9 {

// Values of D3DFORMAT, D3DRESOURCETYPE and D3DXIMAGE_FILEFORMAT used here.
constexpr uint32_t kFormatA8R8G8B8 = 21;
constexpr uint32_t kFormatX8R8G8B8 = 22;
constexpr uint32_t kResourceTypeTexture = 3;
constexpr uint32_t kImageFileFormatPng = 3;

struct ImageInfo {
    uint32_t Width = 0;
    uint32_t Height = 0;
    uint32_t Depth = 1;
    uint32_t MipLevels = 1;  // a PNG file holds one level
    uint32_t Format = kFormatX8R8G8B8;
    uint32_t ResourceType = kResourceTypeTexture;
    uint32_t ImageFileFormat = kImageFileFormatPng;
};

// The description of a PNG file of that size: A8R8G8B8 when it carries alpha (an alpha channel
// or transparency chunk), X8R8G8B8 otherwise.
constexpr ImageInfo DescribePng(int width, int height, bool hasAlpha) {
    ImageInfo info;
    info.Width = static_cast<uint32_t>(width);
    info.Height = static_cast<uint32_t>(height);
    info.Format = hasAlpha ? kFormatA8R8G8B8 : kFormatX8R8G8B8;
    return info;
}

}  // namespace platform::d3dx9
