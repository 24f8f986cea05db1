#!/usr/bin/env bash
# libpng and zlib for the Windows program: Debian 12's own sources of both (fetched with
# `apt-get source`, after adding a deb-src entry where there is none), cross built with mingw-w64
# into static libraries under DEPS_FOLDER/x86_64-w64-mingw32, so that pokutan.exe decodes every
# PNG file with the same libpng as the Linux build. A second run finds them built and returns at
# once; a new Debian version of either source is built afresh.
# Usage: scripts/windows-deps.sh [DEPS_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
dir=$(realpath -m "${1:-build-windows/deps}")
prefix=$dir/x86_64-w64-mingw32
stamp=$prefix/built-from
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if [ -f "$stamp" ] && [ -f "$prefix/lib/libpng16.a" ] && [ -f "$prefix/lib/libz.a" ]; then
  exit 0  # the network is not asked again; delete the folder to rebuild
fi

source_version() {  # the Debian 12 version of source package $1, or nothing
  apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ {print $2; exit}'
}
if [ -z "$(source_version libpng1.6)" ]; then
  list=/etc/apt/sources.list.d/pokutan-debian-sources.sources
  echo "windows-deps: adding Debian 12's source packages to apt ($list)"
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\n%s\n' \
    'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $sudo tee "$list" >/dev/null
  $sudo apt-get update -q
fi
command -v dpkg-source >/dev/null ||
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends dpkg-dev

rm -rf "$dir"
mkdir -p "$dir/src" "$prefix/lib" "$prefix/include"
(cd "$dir/src" && apt-get source -q libpng1.6 zlib >"$dir/source.log" 2>&1) ||
  { cat "$dir/source.log" >&2; exit 1; }
zlib_src=$(find "$dir/src" -maxdepth 1 -type d -name 'zlib-*' | head -n 1)
png_src=$(find "$dir/src" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
[ -n "$zlib_src" ] && [ -n "$png_src" ] || { echo "windows-deps: sources not unpacked" >&2; exit 1; }
jobs=$(($(nproc) < 2 ? $(nproc) : 2))

echo "windows-deps: building zlib from $(basename "$zlib_src")"
(cd "$zlib_src" && CHOST=x86_64-w64-mingw32 ./configure --static --prefix="$prefix" &&
  make -j "$jobs" libz.a) >"$dir/zlib.log" 2>&1 || { cat "$dir/zlib.log" >&2; exit 1; }
cp "$zlib_src/libz.a" "$prefix/lib/"
cp "$zlib_src/zlib.h" "$zlib_src/zconf.h" "$prefix/include/"

echo "windows-deps: building libpng from $(basename "$png_src")"
cmake -S "$png_src" -B "$dir/png-build" --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
  -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_INCLUDE_DIR="$prefix/include" \
  -DZLIB_LIBRARY="$prefix/lib/libz.a" >"$dir/png.log" 2>&1 &&
  cmake --build "$dir/png-build" -j "$jobs" >>"$dir/png.log" 2>&1 &&
  cmake --install "$dir/png-build" >>"$dir/png.log" 2>&1 || { cat "$dir/png.log" >&2; exit 1; }

echo "$(basename "$png_src") $(basename "$zlib_src")" >"$stamp"
rm -rf "$dir/src" "$dir/png-build"
echo "windows-deps: libpng and zlib for mingw-w64 in $prefix"
