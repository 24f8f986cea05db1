#!/usr/bin/env bash
# Sets the machine up, builds the release build and starts the game in its run folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPOKUTAN_TESTS=OFF -DPOKUTAN_BENCH=OFF >/dev/null
cmake --build build -j "$(nproc)"
cd build/run
exec ./pokutan
