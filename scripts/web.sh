#!/usr/bin/env bash
# Builds POKUTAN for the browser with Debian's emscripten: first libpng and zlib from Debian 12's
# own source packages (emscripten's ports would download them), compiled to WebAssembly once into
# BUILD_FOLDER/deps and kept there, then the game's sources into BUILD_FOLDER. Installs what it
# needs, as scripts/setup.sh does. No program or page is linked yet: see cmake/web.cmake.
# Usage: scripts/web.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
dir=$(realpath -m "${1:-build-web}")
deps=$dir/deps
prefix=$deps/wasm32-emscripten
stamp=$prefix/built-from
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# Debian's em++ runs node with modules (acorn, ...) that Debian keeps outside node's own path.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

missing=()
for p in emscripten cmake make dpkg-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "web: installing ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

source_version() {  # the Debian 12 version of source package $1, or nothing
  apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ {print $2; exit}'
}

build_deps() {
  if [ -z "$(source_version libpng1.6)" ]; then
    local list=/etc/apt/sources.list.d/pokutan-debian-sources.sources
    echo "web: adding Debian 12's source packages to apt ($list)"
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\n%s\n' \
      'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $sudo tee "$list" >/dev/null
    $sudo apt-get update -q
  fi
  rm -rf "$deps"
  mkdir -p "$deps/src" "$prefix/lib" "$prefix/include"
  (cd "$deps/src" && apt-get source -q libpng1.6 zlib >"$deps/source.log" 2>&1) ||
    { cat "$deps/source.log" >&2; exit 1; }
  local zlib_src png_src
  zlib_src=$(find "$deps/src" -maxdepth 1 -type d -name 'zlib-*' | head -n 1)
  png_src=$(find "$deps/src" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
  [ -n "$zlib_src" ] && [ -n "$png_src" ] || { echo "web: sources not unpacked" >&2; exit 1; }

  echo "web: building zlib from $(basename "$zlib_src") for WebAssembly"
  (cd "$zlib_src" && emconfigure ./configure --static --prefix="$prefix" &&
    nice -n 15 emmake make -j1 libz.a) >"$deps/zlib.log" 2>&1 || { cat "$deps/zlib.log" >&2; exit 1; }
  cp "$zlib_src/libz.a" "$prefix/lib/"
  cp "$zlib_src/zlib.h" "$zlib_src/zconf.h" "$prefix/include/"

  echo "web: building libpng from $(basename "$png_src") for WebAssembly"
  emcmake cmake -S "$png_src" -B "$deps/png-build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF -DZLIB_INCLUDE_DIR="$prefix/include" \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" >"$deps/png.log" 2>&1 &&
    nice -n 15 cmake --build "$deps/png-build" -j1 >>"$deps/png.log" 2>&1 &&
    cmake --install "$deps/png-build" >>"$deps/png.log" 2>&1 || { cat "$deps/png.log" >&2; exit 1; }

  echo "$(basename "$png_src") $(basename "$zlib_src")" >"$stamp"
  rm -rf "$deps/src" "$deps/png-build"
}

# A second run finds the libraries built and does not ask the network again; delete
# BUILD_FOLDER/deps to rebuild them.
if ! [ -f "$stamp" ] || ! [ -f "$prefix/lib/libpng16.a" ] || ! [ -f "$prefix/lib/libz.a" ]; then
  build_deps
fi
echo "web: libpng and zlib for WebAssembly in $prefix ($(cat "$stamp"))"

emcmake cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DPOKUTAN_WERROR=ON \
  -DPOKUTAN_TESTS=OFF -DPOKUTAN_BENCH=OFF \
  -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" \
  -DPNG_PNG_INCLUDE_DIR="$prefix/include" -DPNG_LIBRARY="$prefix/lib/libpng16.a" >/dev/null
# Keeps going past a file that does not compile, so that one run lists every such file.
if ! nice -n 15 cmake --build "$dir" -j1 -- -k; then
  echo "web: some sources do not compile for WebAssembly (the errors above)" >&2
  exit 1
fi
echo "web: the layer's libraries, the game and the asset generator built for WebAssembly in $dir"
