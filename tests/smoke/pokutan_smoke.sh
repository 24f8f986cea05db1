#!/usr/bin/env bash
# Starts the real executable in a private X server, as a player would: the window appears at
# 640 x 480 with its caption, a left click on the title starts the fade into a play (the picture
# goes dark), and Escape ends the program with exit code 0.
# Usage: pokutan_smoke.sh RUN_FOLDER (the folder holding pokutan and its Resource/ tree).
set -euo pipefail
run_folder=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
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

exec 3<> "$work/displayfd" 
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  display=$(head -n 1 "$work/displayfd" 2>/dev/null || true)
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "${display:-}" ] || fail "Xvfb did not start"
export DISPLAY=":$display"

# Under the sanitizer build, leaks are checked by the headless suites; the X and D-Bus client
# libraries that a real display brings in keep a few allocations of their own at exit.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
(cd "$work" && SDL_AUDIODRIVER=dummy exec ./pokutan) &
game_pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --class pokutan | head -n 1) ||
  fail "no window appeared"
info=$(xwininfo -id "$window")
grep -q '"ポクタン"' <<<"$info" || fail "the window is not captioned ポクタン: $(head -n 2 <<<"$info")"
read -r width height < <(awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}' <<<"$info")
[ "$width" = 640 ] && [ "$height" = 480 ] || fail "window is ${width}x${height}, not 640x480"

darkest() {  # the darkest of back-to-back dumps of the window over about three seconds
  local min=255 b end=$((SECONDS + 3))
  while [ "$SECONDS" -lt "$end" ]; do
    b=$(xwd -silent -id "$window" | python3 "$here/xwd_brightness.py")
    min=$(awk -v a="$min" -v b="$b" 'BEGIN {print (b < a) ? b : a}')
  done
  echo "$min"
}
sleep 1
before=$(darkest)
xdotool mousemove --window "$window" 320 240 click 1
after=$(darkest)
echo "smoke: title brightness $before, darkest after the click $after"
awk -v a="$after" -v b="$before" 'BEGIN {exit !(b > 2 && a < b / 2)}' ||
  fail "the picture did not react to the click"

xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 100); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "Escape did not end the program"
set +e
wait "$game_pid"
code=$?
set -e
game_pid=""
[ "$code" -eq 0 ] || fail "exit code $code"
