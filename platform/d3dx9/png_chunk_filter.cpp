// Walks the chunk sequence after the 8-byte signature (length, type, data, CRC), compacting the
// kept chunks in place. Every length is checked against the bytes that remain before use.
#include "d3dx9/png_chunk_filter.h"

#include <cstring>

namespace platform::d3dx9 {

namespace {

constexpr size_t kSignatureSize = 8;
constexpr size_t kChunkOverhead = 12;  // length, type and CRC

uint32_t ReadBigEndian(const uint8_t* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           uint32_t{bytes[3]};
}

constexpr uint64_t kBestDeflateRatio = 1032;
constexpr size_t kIhdrDataStart = kSignatureSize + 8;  // IHDR is always the first chunk

bool IsColorSpaceChunk(const uint8_t* type) {
    for (const char* name : {"gAMA", "cHRM", "sRGB", "iCCP"}) {
        if (std::memcmp(type, name, 4) == 0) {
            return true;
        }
    }
    return false;
}

// Channels of a PNG colour type (grey, -, RGB, palette index, grey + alpha, -, RGBA).
uint64_t ChannelsOf(uint8_t colorType) {
    switch (colorType) {
        case 2:
            return 3;
        case 4:
            return 2;
        case 6:
            return 4;
        default:
            return 1;
    }
}

}  // namespace

uint64_t CompressedDataBytes(const std::vector<uint8_t>& pngBytes) {
    uint64_t total = 0;
    for (size_t at = kSignatureSize; at + kChunkOverhead <= pngBytes.size();) {
        const uint64_t length = ReadBigEndian(&pngBytes[at]);
        if (length > pngBytes.size() - at - kChunkOverhead) {
            break;
        }
        if (std::memcmp(&pngBytes[at + 4], "IDAT", 4) == 0) {
            total += length;
        }
        at += static_cast<size_t>(length) + kChunkOverhead;
    }
    return total;
}

bool CompressedDataCanHoldPixels(const std::vector<uint8_t>& pngBytes) {
    if (pngBytes.size() < kIhdrDataStart + 13) {
        return false;
    }
    const uint64_t width = ReadBigEndian(&pngBytes[kIhdrDataStart]);
    const uint64_t height = ReadBigEndian(&pngBytes[kIhdrDataStart + 4]);
    const uint64_t bitsPerPixel =
        uint64_t{pngBytes[kIhdrDataStart + 8]} * ChannelsOf(pngBytes[kIhdrDataStart + 9]);
    const uint64_t leastPixelBytes = width * height / 8 * bitsPerPixel;
    return leastPixelBytes <= kBestDeflateRatio * CompressedDataBytes(pngBytes);
}

bool RemoveColorSpaceChunks(std::vector<uint8_t>& pngBytes) {
    size_t read = kSignatureSize;
    size_t write = kSignatureSize;
    // Every chunk whose length and type are there is checked: libpng reads those eight bytes and
    // reserves the length before it finds the data missing. It reads nothing after IEND.
    while (read + 8 <= pngBytes.size()) {
        const uint64_t length = ReadBigEndian(&pngBytes[read]);
        const size_t remaining = pngBytes.size() - read;
        if (remaining < kChunkOverhead || length > remaining - kChunkOverhead) {
            return false;
        }
        const size_t chunkSize = static_cast<size_t>(length) + kChunkOverhead;
        const bool last = std::memcmp(&pngBytes[read + 4], "IEND", 4) == 0;
        if (!IsColorSpaceChunk(&pngBytes[read + 4])) {
            std::memmove(&pngBytes[write], &pngBytes[read], chunkSize);
            write += chunkSize;
        }
        read += chunkSize;
        if (last) {
            break;
        }
    }
    if (read > write) {
        pngBytes.erase(pngBytes.begin() + static_cast<std::ptrdiff_t>(write),
                       pngBytes.begin() + static_cast<std::ptrdiff_t>(read));
    }
    return true;
}

}  // namespace platform::d3dx9
