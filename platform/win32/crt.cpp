// The Microsoft CRT helpers over the C library: fopen_s.
#include <cerrno>
#include <cstdio>

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
