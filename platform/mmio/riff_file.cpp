// The RIFF chunk walk of WinMM over a stdio file. Chunk headers are 8 bytes (id, size), "RIFF"
// and "LIST" chunks carry a form type as the first 4 bytes of their data, and a chunk with an
// odd size is followed by one pad byte. Sizes are trusted only as far as the parent chunk and
// the file reach.
#include "mmio/riff_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>

namespace platform::mmio {
namespace {

constexpr uint64_t kHeaderBytes = 8;
constexpr uint64_t kFormTypeBytes = 4;
constexpr uint64_t kLargestOffset = LONG_MAX;

uint32_t LittleEndian(const unsigned char* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

uint64_t RoundUpToEven(uint64_t value) {
    return value + (value & 1);
}

}  // namespace

std::unique_ptr<RiffFile> RiffFile::Open(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        return nullptr;
    }
    struct stat status {};
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    uint64_t size = std::min<uint64_t>(static_cast<uint64_t>(status.st_size), kLargestOffset);
    return std::unique_ptr<RiffFile>(new RiffFile(file, size));
}

RiffFile::~RiffFile() {
    std::fclose(file);
}

bool RiffFile::ReadAt(uint64_t offset, void* data, size_t bytes) {
    if (offset + bytes > size) {
        return false;
    }
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) {
        return false;
    }
    return std::fread(data, 1, bytes, file) == bytes;
}

LONG RiffFile::Read(void* data, LONG bytes) {
    if (bytes < 0 || (!data && bytes > 0)) {
        return -1;
    }
    uint64_t available = position < size ? size - position : 0;
    size_t wanted = static_cast<size_t>(std::min<uint64_t>(available, uint64_t(bytes)));
    if (wanted == 0) {
        return 0;
    }
    if (std::fseek(file, static_cast<long>(position), SEEK_SET) != 0) {
        return -1;
    }
    size_t got = std::fread(data, 1, wanted, file);
    if (got == 0 && std::ferror(file)) {
        std::clearerr(file);
        return -1;
    }
    position += got;
    return static_cast<LONG>(got);
}

LONG RiffFile::Seek(LONG offset, int origin) {
    int64_t base = 0;
    switch (origin) {
        case SEEK_SET:
            base = 0;
            break;
        case SEEK_CUR:
            base = static_cast<int64_t>(position);
            break;
        case SEEK_END:
            base = static_cast<int64_t>(size);
            break;
        default:
            return -1;
    }
    int64_t target = base + offset;
    if (target < 0 || target > static_cast<int64_t>(kLargestOffset)) {
        return -1;
    }
    position = static_cast<uint64_t>(target);
    return static_cast<LONG>(target);
}

bool RiffFile::ReadHeader(uint64_t end, Header& header) {
    unsigned char bytes[kHeaderBytes];
    if (position + kHeaderBytes > end || !ReadAt(position, bytes, sizeof bytes)) {
        return false;
    }
    header.id = LittleEndian(bytes);
    header.declaredSize = LittleEndian(bytes + 4);
    header.hasFormType = header.id == FOURCC_RIFF || header.id == FOURCC_LIST;
    header.formType = 0;
    if (header.hasFormType) {
        unsigned char type[kFormTypeBytes];
        uint64_t typeOffset = position + kHeaderBytes;
        if (typeOffset + kFormTypeBytes > end || !ReadAt(typeOffset, type, sizeof type)) {
            return false;
        }
        header.formType = LittleEndian(type);
    }
    return true;
}

bool RiffFile::Matches(const Header& header, const MMCKINFO& wanted, UINT flags) {
    if (flags & MMIO_FINDCHUNK) {
        return header.id == wanted.ckid;
    }
    if (flags & MMIO_FINDRIFF) {
        return header.id == FOURCC_RIFF && header.formType == wanted.fccType;
    }
    if (flags & MMIO_FINDLIST) {
        return header.id == FOURCC_LIST && header.formType == wanted.fccType;
    }
    return true;  // no search: the chunk at the current position
}

MMRESULT RiffFile::Descend(MMCKINFO& chunk, const MMCKINFO* parent, UINT flags) {
    uint64_t end = size;
    if (parent) {
        end = std::min<uint64_t>(end, uint64_t{parent->dwDataOffset} + parent->cksize);
    }
    Header header;
    while (ReadHeader(end, header)) {
        uint64_t dataOffset = position + kHeaderBytes;
        uint64_t chunkSize = std::min(header.declaredSize, end - dataOffset);
        if (Matches(header, chunk, flags)) {
            chunk.ckid = header.id;
            chunk.cksize = static_cast<DWORD>(chunkSize);
            if (header.hasFormType) {
                chunk.fccType = header.formType;
            }
            chunk.dwDataOffset = static_cast<DWORD>(dataOffset);
            chunk.dwFlags = 0;
            position = dataOffset + (header.hasFormType ? kFormTypeBytes : 0);
            return MMSYSERR_NOERROR;
        }
        position = RoundUpToEven(dataOffset + chunkSize);
    }
    return MMIOERR_CHUNKNOTFOUND;
}

MMRESULT RiffFile::Ascend(const MMCKINFO& chunk) {
    uint64_t end = RoundUpToEven(uint64_t{chunk.dwDataOffset} + chunk.cksize);
    if (end > kLargestOffset) {
        return MMIOERR_CANNOTSEEK;
    }
    position = end;
    return MMSYSERR_NOERROR;
}

}  // namespace platform::mmio
