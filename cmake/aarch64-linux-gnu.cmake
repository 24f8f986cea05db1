# Cross compiling for 64-bit ARM Linux with Debian's cross compiler and its multiarch libraries
# (dpkg --add-architecture arm64; libsdl2-dev:arm64 and friends; scripts/arm64.sh installs them).
# Programs the build runs (tests, test discovery) go through qemu-user with the root as its
# library prefix, so the guest finds the multiarch loader and C library that the arm64 packages
# installed: the cross toolchain's own copies under /usr/aarch64-linux-gnu disagree with them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64;-L;/)

# Libraries and headers of the arm64 packages only; the build machine's programs.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
