// Reading and crash-safe writing of the miss record file, with the Win32 file calls.
#include "game/MissRecordFile.h"

#include <cctype>
#include <charconv>
#include <string>

#include "windows.h"

namespace {

// More than any record file holds: a number, a line end and perhaps some blanks before it.
constexpr DWORD kMaxRecordFileBytes = 4096;

// The file's first bytes, at most kMaxRecordFileBytes; false when it cannot be opened or read.
bool ReadFileStart(const char* path, std::string& content) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    content.assign(kMaxRecordFileBytes, '\0');
    DWORD total = 0;
    DWORD read = 0;
    bool readable = true;
    while (total < kMaxRecordFileBytes &&
           (readable = ReadFile(file, content.data() + total, kMaxRecordFileBytes - total, &read,
                                nullptr) != FALSE) &&
           read > 0) {
        total += read;
    }
    CloseHandle(file);
    content.resize(total);
    return readable;
}

// The decimal number after any blanks, signed as a stream would read it; false for no digits
// or a number too large for an int.
bool ParseRecord(const std::string& content, int& record) {
    size_t at = 0;
    while (at < content.size() && std::isspace(static_cast<unsigned char>(content[at]))) {
        ++at;
    }
    if (content.compare(at, 2, "+-") != 0 && content.compare(at, 1, "+") == 0) {
        ++at;  // from_chars takes a minus sign only
    }
    const char* last = content.data() + content.size();
    return std::from_chars(content.data() + at, last, record).ec == std::errc();
}

bool IsReadOnlyFile(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Creates or empties `path` and writes `content` to the disk, so the rename below never
// exposes an empty or partial file.
bool WriteDurably(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool complete =
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
        written == content.size();
    bool flushed = complete && FlushFileBuffers(file);
    return CloseHandle(file) && flushed;
}

// Swaps the new file in for the old one in one step, the new name on the disk on return.
bool SwapIn(const std::string& from, const char* to) {
    return MoveFileExA(from.c_str(), to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The last error's code and the system's text for it.
std::string LastErrorText() {
    const DWORD error = GetLastError();
    char text[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) {
        --length;
    }
    return "error " + std::to_string(error) + (length > 0 ? ": " + std::string(text, length) : "");
}

// A player sees no message for a record that was not saved; this line says why.
void LogNotSaved(const char* path, const std::string& reason) {
    OutputDebugStringA((std::string(path) + ": the record was not saved: " + reason).c_str());
}

}  // namespace

int ReadMissRecord(const char* path) {
    std::string content;
    int record = 0;
    if (!ReadFileStart(path, content) || !ParseRecord(content, record) || record < 0) {
        return NO_MISS_RECORD;
    }
    return record;
}

bool WriteMissRecord(const char* path, int record) {
    if (IsReadOnlyFile(path)) {
        LogNotSaved(path, "the file is read-only");
        return false;
    }
    // Written the same on every platform: the stored files end their line with CR LF.
    std::string content = std::to_string(record) + "\r\n";
    std::string temporary = std::string(path) + ".tmp";
    if (!WriteDurably(temporary, content) || !SwapIn(temporary, path)) {
        LogNotSaved(path, LastErrorText());  // before DeleteFileA sets its own error
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}
