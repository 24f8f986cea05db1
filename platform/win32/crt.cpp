// The Microsoft CRT helpers over the C library: fopen_s and vsnprintf_s.
#include <cerrno>
#include <cstdio>
#include <vector>

#include "crt_secure.h"

errno_t fopen_s(FILE** file, const char* fileName, const char* mode) {
    if (!file) {
        return EINVAL;
    }
    *file = nullptr;
    if (!fileName || !mode) {
        return EINVAL;
    }
    errno = 0;
    *file = std::fopen(fileName, mode);
    if (!*file) {
        return errno != 0 ? errno : EINVAL;
    }
    return 0;
}

int vsnprintf_s(char* buffer, size_t sizeOfBuffer, size_t count, const char* format,
                va_list arguments) {
    if (!buffer || sizeOfBuffer == 0) {
        errno = EINVAL;
        return -1;
    }
    buffer[0] = '\0';
    if (!format) {
        errno = EINVAL;
        return -1;
    }
    va_list copy;
    va_copy(copy, arguments);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        errno = EINVAL;
        return -1;
    }
    const size_t length = static_cast<size_t>(needed);
    const size_t room = sizeOfBuffer - 1;
    const size_t limit = count == _TRUNCATE ? room : count;
    if (limit > room && length > room) {
        errno = ERANGE;  // an explicit count that the buffer cannot hold
        return -1;
    }
    std::vector<char> whole(length + 1);
    std::vsnprintf(whole.data(), whole.size(), format, arguments);
    const size_t kept = length < limit ? length : limit;
    for (size_t i = 0; i < kept; ++i) {
        buffer[i] = whole[i];
    }
    buffer[kept] = '\0';
    return kept < length ? -1 : static_cast<int>(kept);
}
