#!/usr/bin/env bash
# The Debian package made from the build by CPack: its name, its control fields (section games,
# dependencies found by dpkg-shlibdeps, the README's first paragraph as description) and its file
# list, which holds the whole installation and no player's record.
# Usage: deb_contents_test.sh BUILD_FOLDER PREFIX SOURCE_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd) prefix=$2 sources=$3
if [ "$prefix" != /usr ]; then
  echo "SKIPPED: this build installs below $prefix; a Debian package is made from a build" \
    "configured with the prefix /usr (scripts/package.sh configures its build so)"
  exit 77
fi
here=$(cd "$(dirname "$0")" && pwd)
source "$here/installed_tree.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Uncompressed, which saves the test three quarters of its time; the file list is the same.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" \
  -D CPACK_DEBIAN_COMPRESSION_TYPE=none >cpack.log 2>&1) ||
  fail "cpack failed: $(tail -n 20 "$work/cpack.log")"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$work/pokutan_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$work")"
echo "deb: $(basename "$deb"), $(stat -c %s "$deb") bytes"

dpkg-deb -f "$deb" >"$work/control"
expect_grep "^Package: pokutan$" "$work/control" "the package name"
expect_grep "^Section: games$" "$work/control" "the section"
expect_grep "^Version: $version$" "$work/control" "the version"
for library in libc6 libsdl2-2.0-0 libpng16-16 'libstdc++6'; do
  expect_grep "^Depends:.*$library (>= " "$work/control" "the dependency on $library"
done
expect_grep "^Description: one-button rhythm maze$" "$work/control" "the summary"
first_line=$(grep -m1 -v '^[#!]' <(awk 'NF' "$sources/README.md") | awk '{print $1, $2, $3}')
expect_grep "^ $first_line" "$work/control" "the README's first paragraph"
awk '/^ / && length > 80 {exit 1}' "$work/control" || fail "a description line is over 80 columns"

dpkg-deb -c "$deb" | awk '{print $1, $6}' >"$work/files"
expected="-rwxr-xr-x ./usr/games/pokutan
-rwxr-xr-x ./usr/lib/games/pokutan/pokutan
-rw-r--r-- ./usr/share/applications/pokutan.desktop
-rw-r--r-- ./usr/share/metainfo/pokutan.metainfo.xml
-rw-r--r-- ./usr/share/man/man6/pokutan.6.gz
-rw-r--r-- ./usr/share/doc/pokutan/copyright
-rw-r--r-- ./usr/share/doc/pokutan/changelog.gz"
for size in 16 32 48 64 128 256; do
  expected+=$'\n'"-rw-r--r-- ./usr/share/icons/hicolor/${size}x$size/apps/pokutan.png"
done
for file in Texture/Image.png Texture/Background.png Texture/SpriteFont_16_16.png \
  Texture/SpriteFont_32_32.png Texture/SpriteFont_64_64.png Sound/BGMGame.wav Sound/BGMScene.wav \
  Sound/Rhythm01.wav Sound/Rhythm02.wav Sound/Rhythm03.wav Sound/Rhythm04.wav Sound/Scene.wav; do
  expected+=$'\n'"-rw-r--r-- ./usr/share/games/pokutan/Resource/$file"
done
for folder in Model Effect Shader Font; do
  expected+=$'\n'"drwxr-xr-x ./usr/share/games/pokutan/Resource/$folder/"
done
while read -r line; do
  grep -qxF -- "$line" "$work/files" || fail "the package lacks '$line'"
done <<<"$expected"
if grep -E 'Binary|Miss\.bin|/usr/local|\.tmp$' "$work/files"; then
  fail "the package holds a record folder or a stray file (above)"
fi
expect_eq "$(grep -c -v '/$' "$work/files")" "$(grep -c . <<<"$expected" | awk '{print $1 - 4}')" \
  "the number of files"
echo "deb: the file list holds the installation, $(grep -c -v '/$' "$work/files") files"
