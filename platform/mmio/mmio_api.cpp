// The mmio* entry points: handles of open RiffFiles. Handles are checked against the set of
// open files, so a closed or foreign handle is refused instead of followed.
#include <mutex>
#include <set>

#include "mmio/riff_file.h"
#include "mmsystem.h"

namespace platform::mmio {
namespace {

struct OpenFiles {
    std::mutex mutex;
    std::set<RiffFile*> files;
};

// Never destroyed: files may be closed by objects that outlive main.
OpenFiles& Files() {
    static OpenFiles* files = new OpenFiles;
    return *files;
}

RiffFile* Find(HMMIO handle) {
    auto* file = reinterpret_cast<RiffFile*>(handle);
    std::lock_guard lock(Files().mutex);
    return Files().files.count(file) ? file : nullptr;
}

}  // namespace
}  // namespace platform::mmio

using platform::mmio::Files;
using platform::mmio::Find;
using platform::mmio::RiffFile;

HMMIO mmioOpenA(LPSTR fileName, LPMMIOINFO info, DWORD flags) {
    constexpr DWORD kSharingModes = 0x00000070;  // MMIO_EXCLUSIVE ... MMIO_DENYNONE
    if (!fileName || info || (flags & ~DWORD{MMIO_ALLOCBUF | kSharingModes}) != 0) {
        return nullptr;
    }
    std::unique_ptr<RiffFile> file = RiffFile::Open(fileName);
    if (!file) {
        return nullptr;
    }
    std::lock_guard lock(Files().mutex);
    RiffFile* raw = file.release();
    Files().files.insert(raw);
    return reinterpret_cast<HMMIO>(raw);
}

MMRESULT mmioClose(HMMIO handle, UINT) {
    auto* file = reinterpret_cast<RiffFile*>(handle);
    {
        std::lock_guard lock(Files().mutex);
        if (Files().files.erase(file) == 0) {
            return MMSYSERR_INVALHANDLE;
        }
    }
    delete file;
    return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO handle, HPSTR data, LONG bytes) {
    RiffFile* file = Find(handle);
    return file ? file->Read(data, bytes) : -1;
}

LONG mmioSeek(HMMIO handle, LONG offset, int origin) {
    RiffFile* file = Find(handle);
    return file ? file->Seek(offset, origin) : -1;
}

MMRESULT mmioDescend(HMMIO handle, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags) {
    RiffFile* file = Find(handle);
    if (!file) {
        return MMSYSERR_INVALHANDLE;
    }
    if (!chunk) {
        return MMSYSERR_INVALPARAM;
    }
    return file->Descend(*chunk, parent, flags);
}

MMRESULT mmioAscend(HMMIO handle, LPMMCKINFO chunk, UINT) {
    RiffFile* file = Find(handle);
    if (!file) {
        return MMSYSERR_INVALHANDLE;
    }
    if (!chunk) {
        return MMSYSERR_INVALPARAM;
    }
    return file->Ascend(*chunk);
}
