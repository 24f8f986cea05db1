#!/usr/bin/env bash
# The installed launcher's run folder, prepared with --run-folder for players with different
# homes: links to the installed assets and a Binary/ of the player's own, upgrades that change,
# add or remove assets, folders left by an older version, dangling links and a missing home.
# Each case says on stderr what it found and keeps the record; no start touches the installed
# tree.
# Usage: launcher_test.sh BUILD_FOLDER PREFIX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/installed_tree.sh"
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
install_build "$1" "$2"
assets=$prefix/share/games/pokutan/Resource

# Runs the launcher with HOME=$1 and the rest of the arguments as environment settings; its
# standard output goes to $work/out, its standard error to $work/err, its status to `status`.
launch() {
  local home=$1
  shift
  set +e
  env -u XDG_DATA_HOME HOME="$home" "$@" "$launcher" --run-folder >"$work/out" 2>"$work/err"
  status=$?
  set -e
}
fresh_home() { rm -rf "$work/$1" && mkdir -p "$work/$1" && echo "$work/$1"; }

echo "a first start makes the run folder: links to the installed assets, a Binary/ of its own"
before=$(tree_state)
home=$(fresh_home alice)
launch "$home"
run=$home/.local/share/pokutan
expect_eq "$status" 0 "status"
expect_eq "$(cat "$work/out")" "$run" "the printed run folder"
[ ! -s "$work/err" ] || fail "a first start printed: $(cat "$work/err")"
for name in Texture Sound Model Effect Shader Font; do
  expect_eq "$(readlink "$run/Resource/$name")" "$assets/$name" "the link $name"
done
[ -d "$run/Resource/Binary" ] && [ ! -L "$run/Resource/Binary" ] || fail "Binary/ is not a folder"
cmp -s "$run/Resource/Texture/Image.png" "$assets/Texture/Image.png" || fail "Image.png differs"
expect_eq "$(cd "$home" && find . -mindepth 1 | sort | tr '\n' ' ')" \
  "./.local ./.local/share ./.local/share/pokutan ./.local/share/pokutan/Resource ./.local/share/pokutan/Resource/Binary ./.local/share/pokutan/Resource/Effect ./.local/share/pokutan/Resource/Font ./.local/share/pokutan/Resource/Model ./.local/share/pokutan/Resource/Shader ./.local/share/pokutan/Resource/Sound ./.local/share/pokutan/Resource/Texture ./.local/share/pokutan/version " \
  "what the first start wrote"
expect_eq "$(cat "$run/version")" "$(sed -n "s/^version='\(.*\)'$/\1/p" "$launcher")" "version"

echo "a second start is quiet and keeps the record; a second player has a folder of their own"
printf '17\r\n' >"$run/Resource/Binary/Miss.bin"
launch "$home"
expect_eq "$status" 0 "status"
[ ! -s "$work/err" ] || fail "a second start printed: $(cat "$work/err")"
bob=$(fresh_home bob)
launch "$bob"
[ ! -e "$bob/.local/share/pokutan/Resource/Binary/Miss.bin" ] || fail "bob sees alice's record"
expect_eq "$(cat "$run/Resource/Binary/Miss.bin")" $'17\r' "alice's record"

echo "XDG_DATA_HOME is followed when absolute and ignored when relative"
launch "$bob" XDG_DATA_HOME="$work/xdg"
expect_eq "$(cat "$work/out")" "$work/xdg/pokutan" "the run folder below XDG_DATA_HOME"
launch "$bob" XDG_DATA_HOME=relative/data
expect_eq "$(cat "$work/out")" "$bob/.local/share/pokutan" "the run folder with a relative XDG_DATA_HOME"

expect_eq "$(tree_state)" "$before" "the installed tree after three players' starts"

echo "an upgrade that changes, adds and removes assets is seen at the next start"
printf 'new picture' >"$assets/Texture/Image.png"
mkdir "$assets/Movie"
rm -r "$assets/Model"
launch "$home"
expect_eq "$status" 0 "status"
expect_eq "$(cat "$run/Resource/Texture/Image.png")" "new picture" "the changed asset"
expect_eq "$(readlink "$run/Resource/Movie")" "$assets/Movie" "the added folder's link"
[ ! -L "$run/Resource/Model" ] || fail "the link to the removed folder is still there"
expect_grep "removed $run/Resource/Model, a dangling link" "$work/err" "the removed link's message"
expect_eq "$(cat "$run/Resource/Binary/Miss.bin")" $'17\r' "the record after the upgrade"
mkdir "$assets/Model" && rmdir "$assets/Movie"
launch "$home" >/dev/null

echo "a run folder of an older version: a stamp, copied assets, a linked Resource/ or Binary/"
echo 0.9.0 >"$run/version"
rm "$run/Resource/Sound" && mkdir "$run/Resource/Sound" && echo old >"$run/Resource/Sound/old.wav"
ln -sfn /nowhere/Texture "$run/Resource/Texture"
launch "$home"
expect_eq "$status" 0 "status"
expect_grep "made by version 0.9.0; updating it for" "$work/err" "the version message"
expect_grep "$run/Resource/Sound was not made by this launcher; moved it to $run/set-aside" \
  "$work/err" "the copied folder's message"
expect_grep "$run/Resource/Texture was a dangling link to /nowhere/Texture" "$work/err" \
  "the dangling link's message"
expect_eq "$(readlink "$run/Resource/Sound")" "$assets/Sound" "Sound linked anew"
expect_eq "$(readlink "$run/Resource/Texture")" "$assets/Texture" "Texture linked anew"
expect_eq "$(cat "$run"/set-aside.*/Sound/old.wav)" old "the set-aside folder's file"
expect_eq "$(cat "$run/Resource/Binary/Miss.bin")" $'17\r' "the record"

carol=$(fresh_home carol)
mkdir -p "$carol/copied-run/Resource/Binary" "$carol/.local/share/pokutan"
printf '5\r\n' >"$carol/copied-run/Resource/Binary/Miss.bin"
ln -s "$carol/copied-run/Resource" "$carol/.local/share/pokutan/Resource"
launch "$carol"
expect_eq "$status" 0 "status"
expect_grep "made by an older version" "$work/err" "the unstamped folder's message"
expect_grep "Resource was a link to $carol/copied-run/Resource" "$work/err" "the linked Resource/"
expect_eq "$(cat "$carol/.local/share/pokutan/Resource/Binary/Miss.bin")" $'5\r' "the record found"
expect_eq "$(cat "$carol/copied-run/Resource/Binary/Miss.bin")" $'5\r' "the record left in place"

dave=$(fresh_home dave)
mkdir -p "$dave/.local/share/pokutan/Resource"
ln -s "$dave/gone" "$dave/.local/share/pokutan/Resource/Binary"
launch "$dave"
expect_eq "$status" 0 "status"
expect_grep "Binary was a link to $dave/gone" "$work/err" "the dangling Binary/ link"
[ -d "$dave/.local/share/pokutan/Resource/Binary" ] || fail "Binary/ was not made a folder"
ln -s "$dave/gone.bin" "$dave/.local/share/pokutan/Resource/Binary/Miss.bin"
launch "$dave"
expect_grep "Miss.bin is a dangling link to $dave/gone.bin; starting with no record" "$work/err" \
  "the dangling record link"

echo "a copy of the installation under another prefix serves the same player from there"
cp -a "$prefix" "$work/elsewhere"
env -u XDG_DATA_HOME HOME="$home" "$work/elsewhere/games/pokutan" --run-folder >"$work/out" 2>"$work/err"
expect_grep "$run/Resource/Texture led to $assets/Texture; linked it to $work/elsewhere/" \
  "$work/err" "the message of a link to the other installation"
expect_eq "$(readlink "$run/Resource/Sound")" "$work/elsewhere/share/games/pokutan/Resource/Sound" \
  "the link to the copy's assets"
expect_eq "$(cat "$run/Resource/Binary/Miss.bin")" $'17\r' "the record"

echo "no home: a message and status 1, nothing written"
env -u HOME -u XDG_DATA_HOME "$launcher" --run-folder >"$work/out" 2>"$work/err" && status=0 || status=$?
expect_eq "$status" 1 "status without HOME"
expect_grep "HOME is not set" "$work/err" "the message without HOME"
launch "$work/no-such-home"
expect_eq "$status" 1 "status with a missing home"
expect_grep "your home folder $work/no-such-home does not exist" "$work/err" "the missing home"
[ ! -e "$work/no-such-home" ] || fail "the missing home was made"

if [ "$(id -u)" -ne 0 ]; then
  echo "a Binary/ that cannot be written is reported"
  chmod a-w "$run/Resource/Binary"
  launch "$home"
  expect_grep "cannot write to $run/Resource/Binary" "$work/err" "the read-only Binary/"
  chmod u+w "$run/Resource/Binary"
fi

echo "launcher: every case passed"
