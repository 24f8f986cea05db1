// Reading and crash-safe writing of the miss record file.
#include "game/MissRecordFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Pushes the written bytes to the disk, so the rename below never exposes an empty file.
bool SyncToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
    std::error_code error;
    auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return false;
    }
    using std::filesystem::perms;
    return (status.permissions() &
            (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    bool synced = written && SyncToDisk(file);
    return std::fclose(file) == 0 && synced;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);  // atomic on POSIX; replaces an existing file
    return !error;
}

}  // namespace

int ReadMissRecord(const char* path) {
    std::ifstream file(path, std::ios::in);
    if (!file.is_open()) {
        return NO_MISS_RECORD;
    }
    int record = 0;
    if (!(file >> record) || record < 0) {
        return NO_MISS_RECORD;
    }
    return record;
}

bool WriteMissRecord(const char* path, int record) {
    if (IsReadOnlyFile(path)) {
        return false;
    }
    // Written the same on every platform: the stored files end their line with CR LF.
    std::string content = std::to_string(record) + "\r\n";
    std::string temporary = std::string(path) + ".tmp";
    if (!WriteWholeFile(temporary, content) || !ReplaceFile(temporary, path)) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
