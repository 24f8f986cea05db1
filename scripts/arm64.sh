#!/usr/bin/env bash
# Cross builds POKUTAN for 64-bit ARM Linux with Debian's cross compiler and arm64 libraries, and
# runs its tests under qemu-user (installing what is missing first). The asset generator runs on
# this machine, so it is built first with the host compiler, unless the path of one already built
# is given. TEST_GROUPS limits the build to some test binaries (platform_raster_image|e2e_scenario,
# see tests/CMakeLists.txt); without it the whole suite runs.
# Usage: bash scripts/arm64.sh [BUILD_FOLDER [ASSET_GENERATOR [TEST_GROUPS]]]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh arm64
dir=${1:-build-arm64}
generator=${2:-}
groups=${3:-}
jobs=$(nproc)

if [ -z "$generator" ]; then
  cmake -S . -B "$dir/host" -DCMAKE_BUILD_TYPE=Release -DPOKUTAN_TESTS=OFF -DPOKUTAN_BENCH=OFF >/dev/null
  cmake --build "$dir/host" --target pokutan_assets -j "$jobs"
  generator=$dir/host/tools/pokutan_assets
fi
toolchain=()  # read on the first configure only; CMake warns when it is given again
[ -f "$dir/CMakeCache.txt" ] || toolchain=(--toolchain cmake/aarch64-linux-gnu.cmake)
cmake -S . -B "$dir" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOKUTAN_WERROR=ON \
  -DPOKUTAN_BENCH=OFF -DPOKUTAN_ASSET_GENERATOR="$(realpath "$generator")" \
  -DPOKUTAN_TEST_GROUPS="$groups" >/dev/null
cmake --build "$dir" -j "$jobs"
cd "$dir"
ctest --output-on-failure -j "$jobs"
