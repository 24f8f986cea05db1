// Reading PNG files with libpng's simplified API, as 0xAARRGGBB pixels. Any colour
// type, bit depth and interlacing libpng accepts is read. Values are taken as stored: colour-space
// chunks (gAMA, cHRM, sRGB, iCCP) are ignored and 16-bit channels are scaled to 8 bits without a
// linear-light conversion (rounded); fully transparent pixels of 16-bit files read as
// transparent black, as libpng hands 16-bit pixels over premultiplied. Pictures larger than
// FitsImageLimits allows, or whose pixel data is too short for the size they declare, are refused
// before their pixels are allocated.
#pragma once

#include <string>

#include "d3dx9/image.h"
#include "d3dx9/image_info.h"

namespace platform::d3dx9 {

struct ImageFile {
    bool ok = false;
    std::string error;      // why the file could not be read; empty when ok
    Image image;            // the file's pixels at the file's own size
    bool hasAlpha = false;  // the file has an alpha channel or a transparency chunk
    ImageInfo info;         // Width, Height and Format as D3DXIMAGE_INFO reports them
};

// Never throws; a missing, unreadable, corrupt or oversized file gives ok false and a reason.
ImageFile ReadPngFile(const std::string& path);

}  // namespace platform::d3dx9
