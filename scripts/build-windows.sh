#!/usr/bin/env bash
# Cross builds the Windows program with mingw-w64: pokutan.exe and its Resource/ tree in
# BUILD_FOLDER/run (default build-windows/run). The asset generator runs on this machine, so it
# is built first with the host compiler, unless the path of one already built is given; libpng
# and zlib are cross built once into BUILD_FOLDER/deps (scripts/windows-deps.sh). The program must
# need nothing a stock Windows lacks: the script fails if it imports a DLL other than the system's
# own (no d3dx9_*.dll, no compiler runtime).
# Usage: scripts/build-windows.sh [BUILD_FOLDER [ASSET_GENERATOR]]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-windows}
generator=${2:-}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))

if [ -z "$generator" ]; then
  cmake -S . -B "$dir/host" -DCMAKE_BUILD_TYPE=Release -DPOKUTAN_TESTS=OFF -DPOKUTAN_BENCH=OFF >/dev/null
  cmake --build "$dir/host" --target pokutan_assets -j "$jobs"
  generator=$dir/host/tools/pokutan_assets
fi
bash scripts/windows-deps.sh "$dir/deps"
toolchain=()  # read on the first configure only; CMake warns when it is given again
[ -f "$dir/CMakeCache.txt" ] || toolchain=(--toolchain cmake/mingw-w64-x86_64.cmake)
cmake -S . -B "$dir" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release -DPOKUTAN_WERROR=ON \
  -DPOKUTAN_ASSET_GENERATOR="$(realpath "$generator")" \
  -DPOKUTAN_WINDOWS_DEPS="$(realpath "$dir/deps/x86_64-w64-mingw32")" >/dev/null
cmake --build "$dir" -j "$jobs"
bash scripts/check-windows-imports.sh "$dir/run/pokutan.exe" "$dir/pokutan-launcher.exe"
echo "Built $dir/run/pokutan.exe"
