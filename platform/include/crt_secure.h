// The "secure" C runtime helpers of the Microsoft CRT that the game calls and glibc lacks.
// Written from the public documentation; only what the game uses is declared.
#pragma once

#include <cstdio>

typedef int errno_t;

// Opens `fileName` with the fopen `mode`. 0 and the stream in *file on success; otherwise an
// errno value and *file null. A null `file`, `fileName` or `mode` gives EINVAL.
errno_t fopen_s(FILE** file, const char* fileName, const char* mode);
