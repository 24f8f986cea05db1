// One file opened with mmioOpenA: reading, seeking and the RIFF chunk walk of WinMM, over
// stdio. Offsets are those of the file, which is at most 2 GiB long for this reader (LONG
// positions); every read and every chunk size is kept within the file's real length.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "mmsystem.h"

namespace platform::mmio {

class RiffFile {
  public:
    // Null when the path is not a readable regular file.
    static std::unique_ptr<RiffFile> Open(const char* path);
    ~RiffFile();
    RiffFile(const RiffFile&) = delete;
    RiffFile& operator=(const RiffFile&) = delete;

    // The bytes actually read (0 at the end of the file), -1 on an error.
    LONG Read(void* data, LONG bytes);
    // The new position, -1 when it would be outside 0..LONG_MAX.
    LONG Seek(LONG offset, int origin);
    MMRESULT Descend(MMCKINFO& chunk, const MMCKINFO* parent, UINT flags);
    MMRESULT Ascend(const MMCKINFO& chunk);

  private:
    struct Header {
        FOURCC id = 0;
        uint64_t declaredSize = 0;
        FOURCC formType = 0;
        bool hasFormType = false;
    };

    RiffFile(FILE* file, uint64_t size) : file(file), size(size) {}
    bool ReadAt(uint64_t offset, void* data, size_t bytes);
    bool ReadHeader(uint64_t end, Header& header);
    static bool Matches(const Header& header, const MMCKINFO& wanted, UINT flags);

    FILE* file;
    uint64_t size;
    uint64_t position = 0;
};

}  // namespace platform::mmio
