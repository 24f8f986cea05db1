#!/usr/bin/env bash
# Draws the README's pictures anew (docs/title.png, docs/play.png): the game renders them headless
# with its generated assets, and the test that checks them against docs/ writes them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOKUTAN_WERROR=ON >/dev/null
cmake --build build-test -j "$(nproc)" --target test_docs_image pokutan_resources
(cd build-test && POKUTAN_UPDATE_REFERENCES=1 ctest -R ReadmePictures --output-on-failure)
echo "Wrote docs/title.png and docs/play.png"
