#!/usr/bin/env bash
# Starts the real executable in a private X server, as a player would: the window appears at
# 640 x 480 with its caption, a left click on the title starts the fade into a play (the picture
# goes dark), and Escape ends the program with exit code 0.
# Usage: pokutan_smoke.sh RUN_FOLDER [EMULATOR...] (the folder holding pokutan and its Resource/
# tree; a cross build's emulator and its arguments, to start the program through).
set -euo pipefail
run_folder=$(cd "$1" && pwd)
shift
emulator=("$@")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x_session.sh"
work=$(mktemp -d)
xvfb_pid="" game_pid=""
cleanup() {
  if [ -n "$game_pid" ]; then
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "smoke: $*" >&2; exit 1; }

# A copy of the run folder, so a player's record is never touched.
cp -r "$run_folder/pokutan" "$run_folder/Resource" "$work/"

start_xvfb

# Under the sanitizer build, leaks are checked by the headless suites; the X and D-Bus client
# libraries that a real display brings in keep a few allocations of their own at exit.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
(cd "$work" && SDL_AUDIODRIVER=dummy exec "${emulator[@]}" ./pokutan) &
game_pid=$!

find_window --class '^pokutan$'
# The title is drawn once the picture is neither the blank of a new window nor black: its white
# text alone brings the mean to about 8, whatever the background.
wait_for_brightness 5 128 || fail "the title was not drawn"
before=$picture_brightness
expect_640_by_480 "$(xwininfo -id "$window")"

xdotool mousemove --window "$window" 320 240 click 1
wait_for_brightness -1 "$(awk -v b="$before" 'BEGIN {print b / 2}')" ||
  fail "the picture did not go dark after the click"
echo "smoke: title brightness $before, $picture_brightness after the click"

end_with_escape
