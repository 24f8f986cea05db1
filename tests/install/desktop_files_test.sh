#!/usr/bin/env bash
# What the installation gives a desktop, checked by Debian's own validators: the desktop entry
# (desktop-file-validate), the AppStream metadata with its two screenshots (appstreamcli), the
# manual page (man's warnings) and the six icons, PNG files with alpha at their folder's size.
# Usage: desktop_files_test.sh BUILD_FOLDER PREFIX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/installed_tree.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
install_build "$1" "$2"
share=$prefix/share

desktop-file-validate "$share/applications/pokutan.desktop" || fail "desktop-file-validate"
expect_grep "^Exec=$2/games/pokutan$" "$share/applications/pokutan.desktop" "the entry's command"
appstreamcli validate --no-net --pedantic "$share/metainfo/pokutan.metainfo.xml" ||
  fail "appstreamcli validate"
for picture in title play; do
  expect_grep "<image>.*docs/$picture.png</image>" "$share/metainfo/pokutan.metainfo.xml" \
    "the screenshot $picture"
done
expect_grep "<launchable type=\"desktop-id\">pokutan.desktop</launchable>" \
  "$share/metainfo/pokutan.metainfo.xml" "the launchable"

LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/pokutan.6.gz" >"$work/man.txt" \
  2>"$work/man.err" || fail "man: $(cat "$work/man.err")"
[ ! -s "$work/man.err" ] || fail "the manual page has warnings: $(cat "$work/man.err")"
for part in "HOW TO PLAY" KEYS FILES "Escape" "pokutan/Resource/Binary/Miss.bin" \
  "$2/share/games/pokutan/Resource/"; do
  grep -qiF -- "$part" "$work/man.txt" || fail "the manual page lacks '$part'"
done

for size in 16 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x$size/apps/pokutan.png
  expect_eq "$(file -b "$icon" | cut -d, -f1-3)" "PNG image data, $size x $size, 8-bit/color RGBA" \
    "the icon $size"
done
echo "desktop files: desktop entry, AppStream metadata, manual page and six icons are valid"
