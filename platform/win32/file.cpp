// Files and the last error: CreateFileA, ReadFile, WriteFile, FlushFileBuffers, CloseHandle,
// MoveFileExA, DeleteFileA and GetFileAttributesA over open, read, write, fsync, rename and
// unlink, answering with the results and last-error codes Windows documents.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "windows.h"

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

struct OpenFile {
    int descriptor = -1;
    bool writable = false;
};

struct FileTable {
    std::mutex lock;
    std::map<uintptr_t, OpenFile> files;
    uintptr_t nextHandle = 0x50000;
};

FileTable& Files() {
    static auto* table = new FileTable;  // never destroyed: handles may outlive static objects
    return *table;
}

bool Find(HANDLE handle, OpenFile& file) {
    FileTable& table = Files();
    std::lock_guard<std::mutex> guard(table.lock);
    auto found = table.files.find(reinterpret_cast<uintptr_t>(handle));
    if (found == table.files.end()) {
        return false;
    }
    file = found->second;
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Windows keeps "read-only" as an attribute of the file; here it is a file nobody may write.
bool IsReadOnlyFile(const char* path) {
    struct stat info {};
    return stat(path, &info) == 0 && !S_ISDIR(info.st_mode) &&
           (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The Windows code for an errno of a call on `path`: a missing name is a missing file when its
// folder exists, otherwise a missing path.
DWORD ErrorFor(int error, const char* path) {
    switch (error) {
        case ENOENT:
            return path && IsFolder(FolderOf(path)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
        case ENOTEMPTY:
            return ERROR_ACCESS_DENIED;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:  // a file-size limit: no more room for this file
            return ERROR_DISK_FULL;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case EXDEV:
            return ERROR_NOT_SAME_DEVICE;
        default:
            return ERROR_GEN_FAILURE;
    }
}

BOOL Fail(DWORD error) {
    lastError = error;
    return FALSE;
}

int OpenFlags(DWORD access, DWORD disposition) {
    int flags = O_CLOEXEC;
    bool reads = (access & GENERIC_READ) != 0;
    bool writes = (access & GENERIC_WRITE) != 0;
    flags |= reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
    switch (disposition) {
        case CREATE_NEW:
            return flags | O_CREAT | O_EXCL;
        case CREATE_ALWAYS:
            return flags | O_CREAT | O_TRUNC;
        case OPEN_ALWAYS:
            return flags | O_CREAT;
        case TRUNCATE_EXISTING:
            return flags | O_TRUNC;
        default:
            return flags;
    }
}

// A folder's entries on the disk: what makes a rename survive a crash.
bool SyncFolder(const std::string& folder) {
    int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    // Some file systems cannot sync a folder (EINVAL); their renames are as durable as they get.
    bool synced = fsync(descriptor) == 0 || errno == EINVAL;
    close(descriptor);
    return synced;
}

}  // namespace

DWORD GetLastError() {
    return lastError;
}

void SetLastError(DWORD error) {
    lastError = error;
}

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE) {
    if (!fileName || creationDisposition < CREATE_NEW || creationDisposition > TRUNCATE_EXISTING ||
        (creationDisposition == TRUNCATE_EXISTING && !(desiredAccess & GENERIC_WRITE))) {
        Fail(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    bool writes = (desiredAccess & GENERIC_WRITE) != 0;
    bool existed = access(fileName, F_OK) == 0;
    if (IsFolder(fileName) ||
        (existed && IsReadOnlyFile(fileName) && (writes || creationDisposition == CREATE_ALWAYS))) {
        Fail(existed && creationDisposition == CREATE_NEW ? ERROR_FILE_EXISTS
                                                          : ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int descriptor = open(fileName, OpenFlags(desiredAccess, creationDisposition), mode);
    if (descriptor < 0) {
        Fail(ErrorFor(errno, fileName));
        return INVALID_HANDLE_VALUE;
    }
    FileTable& table = Files();
    std::lock_guard<std::mutex> guard(table.lock);
    uintptr_t handle = table.nextHandle;
    table.nextHandle += 4;
    table.files[handle] = OpenFile{descriptor, writes};
    bool kept =
        existed && (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS);
    lastError = kept ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
    return reinterpret_cast<HANDLE>(handle);
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped) {
    if (read) {
        *read = 0;
    }
    OpenFile file;
    if (!Find(handle, file)) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (overlapped || (!buffer && toRead > 0)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    ssize_t count;
    do {
        count = ::read(file.descriptor, buffer, toRead);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        return Fail(ErrorFor(errno, nullptr));
    }
    if (read) {
        *read = static_cast<DWORD>(count);
    }
    return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD toWrite, LPDWORD written,
               LPOVERLAPPED overlapped) {
    if (written) {
        *written = 0;
    }
    OpenFile file;
    if (!Find(handle, file)) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (overlapped || (!buffer && toWrite > 0)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (!file.writable) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    const char* bytes = static_cast<const char*>(buffer);
    DWORD done = 0;
    while (done < toWrite) {
        ssize_t count = write(file.descriptor, bytes + done, toWrite - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            if (written) {
                *written = done;
            }
            return Fail(count < 0 ? ErrorFor(errno, nullptr) : ERROR_DISK_FULL);
        }
        done += static_cast<DWORD>(count);
    }
    if (written) {
        *written = done;
    }
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE handle) {
    OpenFile file;
    if (!Find(handle, file)) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    if (!file.writable) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return fsync(file.descriptor) == 0 ? TRUE : Fail(ErrorFor(errno, nullptr));
}

BOOL CloseHandle(HANDLE handle) {
    FileTable& table = Files();
    int descriptor;
    {
        std::lock_guard<std::mutex> guard(table.lock);
        auto found = table.files.find(reinterpret_cast<uintptr_t>(handle));
        if (found == table.files.end()) {
            return Fail(ERROR_INVALID_HANDLE);
        }
        descriptor = found->second.descriptor;
        table.files.erase(found);
    }
    // The descriptor is gone whatever close answers (EINTR included), as the handle is.
    return close(descriptor) == 0 || errno == EINTR ? TRUE : Fail(ErrorFor(errno, nullptr));
}

BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
    if (!existingFileName || !newFileName) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (access(existingFileName, F_OK) != 0) {
        return Fail(ErrorFor(errno, existingFileName));
    }
    if (access(newFileName, F_OK) == 0) {
        if (!(flags & MOVEFILE_REPLACE_EXISTING)) {
            return Fail(ERROR_ALREADY_EXISTS);
        }
        if (IsFolder(newFileName) || IsReadOnlyFile(newFileName)) {
            return Fail(ERROR_ACCESS_DENIED);
        }
    }
    if (std::rename(existingFileName, newFileName) != 0) {
        return Fail(ErrorFor(errno, newFileName));
    }
    if (flags & MOVEFILE_WRITE_THROUGH) {
        std::string from = FolderOf(existingFileName);
        std::string to = FolderOf(newFileName);
        if (!SyncFolder(to) || (from != to && !SyncFolder(from))) {
            return Fail(ErrorFor(errno, nullptr));
        }
    }
    return TRUE;
}

BOOL DeleteFileA(LPCSTR fileName) {
    if (!fileName) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (IsFolder(fileName) || IsReadOnlyFile(fileName)) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    return unlink(fileName) == 0 ? TRUE : Fail(ErrorFor(errno, fileName));
}

DWORD GetFileAttributesA(LPCSTR fileName) {
    struct stat info {};
    if (!fileName || stat(fileName, &info) != 0) {
        Fail(fileName ? ErrorFor(errno, fileName) : ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISDIR(info.st_mode)) {
        return FILE_ATTRIBUTE_DIRECTORY;
    }
    return IsReadOnlyFile(fileName) ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
}
