// The "secure" C runtime helpers of the Microsoft CRT that the game calls and glibc lacks.
// Written from the public documentation; only what the game uses is declared.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>

typedef int errno_t;

// The count that asks vsnprintf_s to cut the output to the buffer instead of failing.
#define _TRUNCATE ((size_t)-1)

// Opens `fileName` with the fopen `mode`. 0 and the stream in *file on success; otherwise an
// errno value and *file null. A null `file`, `fileName` or `mode` gives EINVAL.
errno_t fopen_s(FILE** file, const char* fileName, const char* mode);

// Formats like vsnprintf into `buffer` of `sizeOfBuffer` chars, writing at most `count` chars
// plus the terminator, and always terminating. Returns the chars written, or -1 when the output
// was cut (count _TRUNCATE: cut to sizeOfBuffer - 1) or an argument is invalid. Where the
// Microsoft CRT would call its invalid-parameter handler (a null buffer or format, size 0, or
// output that does not fit with a count other than _TRUNCATE), this one sets errno (EINVAL or
// ERANGE), empties the buffer if there is one and returns -1.
int vsnprintf_s(char* buffer, size_t sizeOfBuffer, size_t count, const char* format,
                va_list arguments);
