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

bool IsColorSpaceChunk(const uint8_t* type) {
    for (const char* name : {"gAMA", "cHRM", "sRGB", "iCCP"}) {
        if (std::memcmp(type, name, 4) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool RemoveColorSpaceChunks(std::vector<uint8_t>& pngBytes) {
    size_t read = kSignatureSize;
    size_t write = kSignatureSize;
    while (read + kChunkOverhead <= pngBytes.size()) {
        const uint64_t length = ReadBigEndian(&pngBytes[read]);
        if (length > pngBytes.size() - read - kChunkOverhead) {
            return false;
        }
        const size_t chunkSize = static_cast<size_t>(length) + kChunkOverhead;
        if (!IsColorSpaceChunk(&pngBytes[read + 4])) {
            std::memmove(&pngBytes[write], &pngBytes[read], chunkSize);
            write += chunkSize;
        }
        read += chunkSize;
    }
    if (read > write) {
        pngBytes.erase(pngBytes.begin() + static_cast<std::ptrdiff_t>(write),
                       pngBytes.begin() + static_cast<std::ptrdiff_t>(read));
    }
    return true;
}

}  // namespace platform::d3dx9
