#!/usr/bin/env bash
# Makes the downloads. First the Debian package pokutan_<version>_<arch>.deb, by CPack from a
# release build (BUILD_FOLDER, default build-release, configured with the prefix /usr), checked
# with lintian (any error fails); it is left in the build folder. Then, unless --deb-only is
# given, the Windows downloads by scripts/package-windows.sh where that script exists.
# Usage: scripts/package.sh [--deb-only] [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
windows=yes
if [ "${1:-}" = --deb-only ]; then
  windows=no
  shift
fi
dir=${1:-build-release}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
bash scripts/setup.sh package

if [ -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
else
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DPOKUTAN_TESTS=OFF -DPOKUTAN_BENCH=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
fi
cmake --build "$dir" -j "$jobs"
(cd "$dir" && cpack -G DEB >cpack.log) || { cat "$dir/cpack.log"; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$dir/CPackConfig.cmake")
deb=$dir/pokutan_${version}_$(dpkg --print-architecture).deb
# lintian refuses to run as root unless told that it may.
lintian --fail-on error --allow-root --tag-display-limit 0 "$deb"
echo "Built $deb; lintian reports no error"

if [ "$windows" = yes ] && [ -f scripts/package-windows.sh ]; then
  bash scripts/package-windows.sh
fi
