#!/usr/bin/env bash
# Runs one libFuzzer target for a given time: bash scripts/fuzz.sh TARGET SECONDS [libFuzzer options]
# TARGET is wave (the RIFF reader and the WAV loader), png (the texture loader's PNG path) or
# record (the miss record file's reader). The targets are built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/. The run starts from the seeds in fuzz/corpus/TARGET
# and keeps what it learns in build-fuzz/corpus/TARGET; a finding is written to
# build-fuzz/findings/TARGET/ and ends the run with a non-zero status. It runs at the lowest
# priority, as the machine is shared. The last lines printed give the executions (stat::number_of_executed_units).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  echo "usage: bash scripts/fuzz.sh wave|png|record SECONDS [libFuzzer options]" >&2
  exit 2
fi
target=$1 seconds=$2
shift 2
case $target in
  wave | png | record) ;;
  *) echo "unknown target '$target': wave, png or record" >&2; exit 2 ;;
esac
build=${POKUTAN_FUZZ_BUILD:-build-fuzz}
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOKUTAN_FUZZ=ON \
    -DPOKUTAN_TESTS=OFF -DPOKUTAN_BENCH=OFF >/dev/null
fi
nice -n 19 cmake --build "$build" -j 2 --target "fuzz_$target"
mkdir -p "$build/corpus/$target" "$build/findings/$target"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec nice -n 19 "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
  -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -artifact_prefix="$build/findings/$target/" "$@" "$build/corpus/$target" "fuzz/corpus/$target"
