#!/usr/bin/env bash
# Sets the machine up, checks the formatting, then builds with warnings as errors and runs every
# test twice: once plainly and once under AddressSanitizer and UndefinedBehaviorSanitizer. Between
# the two it cross compiles the Windows program, so that build cannot break unseen (it is played
# under Wine by scripts/windows.sh, not here), and the 64-bit ARM program, whose picture tests
# run under qemu-user (the whole ARM suite: scripts/arm64.sh), and makes the Debian package of
# the first build, checked with lintian (the suite's install tests have installed and played that
# build). The fuzz targets' corpora and past findings are replayed by the suite, and each target
# is fuzzed briefly at the end (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
jobs=$(nproc)

git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror

run_suite() {  # build folder, build type, extra cmake options...
  local dir=$1 type=$2
  shift 2
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DPOKUTAN_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" "${ctest_skip[@]}")
}
ctest_skip=()

run_suite build-test RelWithDebInfo
bash scripts/package.sh --deb-only build-test
bash scripts/build-windows.sh build-test-windows build-test/tools/pokutan_assets
# The 64-bit ARM build under qemu-user: the rasteriser's, the device's, the screens' and the whole
# play's pictures, and the generated assets' bytes, must come out the same as here.
bash scripts/arm64.sh build-test-arm64 build-test/tools/pokutan_assets \
  "platform_raster_unit|platform_raster_image|platform_d3d9_unit|platform_d3d9_image|game_image|e2e_scenario|tools_unit"
# Mesa's GL drivers keep allocations at exit that LeakSanitizer reports, from a module unloaded by
# then: the GL renderer's tests (label gl, and the renderer choice's) run in the plain suite only.
ctest_skip=(-LE gl -E '^RendererChoice[.]')
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-asan Debug -DPOKUTAN_SANITIZE=ON -DPOKUTAN_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG="-g -O1"
for target in wave png record; do
  bash scripts/fuzz.sh "$target" "${POKUTAN_CI_FUZZ_SECONDS:-10}"
done
