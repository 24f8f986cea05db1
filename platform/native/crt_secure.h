// The native Windows build's stand-in for our crt_secure.h: there the C runtime itself
// declares fopen_s and vsnprintf_s, in the standard headers.
#pragma once

#include <cstdarg>
#include <cstdio>
