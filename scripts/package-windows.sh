#!/usr/bin/env bash
# Makes the Windows downloads from a cross build (scripts/build-windows.sh into BUILD_FOLDER,
# default build-windows), both left in that folder:
# - pokutan-<version>-windows-x64.zip: the run folder (pokutan.exe, Resource/ with an empty
#   Binary/) and a README.txt in English and Japanese; it plays where it is unpacked, with the
#   record beside it.
# - pokutan-<version>-setup.exe, made by Debian's NSIS: installs into Program Files with a
#   Start-menu shortcut and an uninstaller; each player's record lives in %LOCALAPPDATA%\pokutan.
# ASSET_GENERATOR, if given, is a host build of pokutan_assets to use (see build-windows.sh).
# Usage: scripts/package-windows.sh [BUILD_FOLDER [ASSET_GENERATOR]]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-windows}
bash scripts/setup.sh test  # mingw-w64 among what the tests need
missing=()
command -v makensis >/dev/null || missing+=(nsis)
command -v zip >/dev/null || missing+=(zip)
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
bash scripts/build-windows.sh "$dir" "${2:-}"

version=$(sed -n 's/^project(pokutan VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
version=${version:-0.0.0}
name=pokutan-$version-windows-x64
stage=$(mktemp -d "$dir/package.XXXXXX")
trap 'rm -rf "$stage"' EXIT

# The run folder as built, without a record a test run may have left in it.
mkdir -p "$stage/$name"
cp -r "$dir/run/pokutan.exe" "$dir/run/Resource" "$stage/$name/"
rm -rf "$stage/$name/Resource/Binary"
mkdir "$stage/$name/Resource/Binary"
sed "s/@VERSION@/$version/" platform/native/README.txt.in | sed 's/$/\r/' >"$stage/$name/README.txt"
zip=$(realpath -m "$dir/$name.zip")
rm -f "$zip"
(cd "$stage" && zip -q -r -X "$zip" "$name")
echo "Built $dir/$name.zip"

cp "$dir/pokutan-launcher.exe" "$dir/pokutan.ico" "$stage/$name/"
setup=$dir/pokutan-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$(realpath "$stage/$name")" \
  -DOUTFILE="$(realpath -m "$setup")" platform/native/pokutan.nsi
echo "Built $setup"
