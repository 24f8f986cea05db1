// PNG reading through libpng's simplified API. The file is read whole, stripped of
// its colour-space chunks and decoded from memory. libpng keeps its own state in
// png_image::opaque; every exit path below leaves it freed.
#include "d3dx9/image_file.h"

#include <png.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "d3dx9/png_chunk_filter.h"

namespace platform::d3dx9 {

namespace {

// The simplified API's byte order that yields 0xAARRGGBB when a pixel is read as a uint32_t.
constexpr png_uint_32 kArgbWordFormat =
    std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;

png_image FreshPngImage() {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    return png;
}

ImageFile Failure(png_image& png, const std::string& path, const std::string& reason) {
    png_image_free(&png);
    ImageFile failed;
    failed.error = path + ": " + reason;
    return failed;
}

std::string LibpngMessage(const png_image& png) {
    return png.message[0] != '\0' ? std::string(png.message) : std::string("not a valid PNG");
}

// A compressed picture is at most a little larger than its pixels; anything far beyond the
// largest accepted picture is not worth reading.
constexpr size_t kMaxFileBytes = 2 * static_cast<size_t>(kMaxImageBytes);

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file, or an empty vector and the reason.
std::vector<uint8_t> ReadWholeFile(const std::string& path, std::string& error) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = errno != 0 ? std::strerror(errno) : "cannot open the file";
        return {};
    }
    std::vector<uint8_t> bytes;
    uint8_t block[65536];
    for (;;) {
        const size_t got = std::fread(block, 1, sizeof block, file.get());
        if (got == 0) {
            break;
        }
        if (bytes.size() + got > kMaxFileBytes) {
            error = "file is too large";
            return {};
        }
        bytes.insert(bytes.end(), block, block + got);
    }
    if (std::ferror(file.get())) {
        error = errno != 0 ? std::strerror(errno) : "read error";
        return {};
    }
    if (bytes.empty()) {
        error = "file is empty";
    }
    return bytes;
}

bool FinishEightBit(png_image& png, Image& image) {
    png.format = kArgbWordFormat;
    image.pixels.resize(static_cast<size_t>(png.width) * png.height);
    return png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr) != 0;
}

// One channel of libpng's premultiplied 16-bit output as a straight 8-bit value.
uint32_t StraightByte(uint32_t premultiplied, uint32_t alpha) {
    if (alpha == 0) {
        return 0;
    }
    const uint64_t straight =
        std::min<uint64_t>(65535, (uint64_t{premultiplied} * 65535 + alpha / 2) / alpha);
    return static_cast<uint32_t>((straight * 255 + 32767) / 65535);
}

// 16-bit files are read at 16 bits and narrowed here: libpng's own narrowing of interlaced
// 16-bit files garbles pixels (libpng issue 853). With the colour-space chunks gone the file
// and the output are both taken as linear, so libpng converts nothing but premultiplies alpha.
// The wide copy needs twice the memory of the picture for the time of the read.
bool FinishSixteenBit(png_image& png, Image& image) {
    png.format = PNG_FORMAT_LINEAR_RGB_ALPHA;
    const size_t count = static_cast<size_t>(png.width) * png.height;
    std::vector<uint16_t> wide(count * 4);
    if (!png_image_finish_read(&png, nullptr, wide.data(), 0, nullptr)) {
        return false;
    }
    image.pixels.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const uint16_t* rgba = &wide[4 * i];
        const uint32_t alpha = rgba[3];
        image.pixels[i] = PackArgb((alpha * 255 + 32767) / 65535, StraightByte(rgba[0], alpha),
                                   StraightByte(rgba[1], alpha), StraightByte(rgba[2], alpha));
    }
    return true;
}

}  // namespace

ImageFile ReadPngFile(const std::string& path) {
    ImageFile failed;
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path, failed.error);
    } catch (const std::bad_alloc&) {
        failed.error = "out of memory";
    }
    if (bytes.empty()) {
        failed.error = path + ": " + failed.error;
        return failed;
    }
    if (!RemoveColorSpaceChunks(bytes)) {
        failed.error = path + ": a chunk runs past the end of the file";
        return failed;
    }

    png_image png = FreshPngImage();
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
        return Failure(png, path, LibpngMessage(png));
    }
    if (!FitsImageLimits(png.width, png.height)) {
        return Failure(png, path,
                       "image of " + std::to_string(png.width) + " x " +
                           std::to_string(png.height) + " pixels is too large");
    }
    if (!CompressedDataCanHoldPixels(bytes)) {
        return Failure(png, path,
                       "the IDAT data (" + std::to_string(CompressedDataBytes(bytes)) +
                           " bytes) is too short for " + std::to_string(png.width) + " x " +
                           std::to_string(png.height) + " pixels");
    }
    const bool hasAlpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    const bool sixteenBit = (png.format & PNG_FORMAT_FLAG_LINEAR) != 0;

    ImageFile result;
    result.image.width = static_cast<int>(png.width);
    result.image.height = static_cast<int>(png.height);
    bool decoded = false;
    try {
        decoded =
            sixteenBit ? FinishSixteenBit(png, result.image) : FinishEightBit(png, result.image);
    } catch (const std::bad_alloc&) {
        return Failure(png, path, "out of memory");
    }
    if (!decoded) {
        return Failure(png, path, LibpngMessage(png));
    }
    png_image_free(&png);  // already freed by a successful finish; harmless
    result.ok = true;
    result.hasAlpha = hasAlpha;
    result.info = DescribePng(result.image.width, result.image.height, hasAlpha);
    return result;
}

}  // namespace platform::d3dx9
