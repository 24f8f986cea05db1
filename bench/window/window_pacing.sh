#!/usr/bin/env bash
# The frame rate where a player sees it: the real pokutan in a window of a private Xvfb server,
# each frame stamped as it is presented (present_clock.c, preloaded), for SECONDS after the
# start-up and the title's fade; a click takes it into a play first. With "loaded", two busy
# threads of ordinary priority compete for the cores for the whole run.
# Usage: window_pacing.sh BUILD_DIR SECONDS window|loaded   (prints name: value lines)
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=$2
setting=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tests/smoke/x_session.sh"
work=$(mktemp -d)
xvfb_pid="" game_pid="" busy=()
cleanup() {
  for pid in "${busy[@]}" $game_pid; do kill "$pid" 2>/dev/null || true; done
  [ -n "$game_pid" ] && wait "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "window_pacing: $*" >&2; exit 1; }

# A copy of the run folder, so the build's record is never touched.
cp -r "$build/run/pokutan" "$build/run/Resource" "$work/"
start_xvfb
if [ "$setting" = loaded ]; then
  for _ in 1 2; do
    sh -c 'while :; do :; done' &
    busy+=($!)
  done
fi
skip=5
(cd "$work" && SDL_AUDIODRIVER=dummy POKUTAN_PRESENT_LOG="$work/presents" \
  LD_PRELOAD="$build/bench/libpokutan_present_clock.so" exec ./pokutan 2>"$work/stderr") &
game_pid=$!

# Into a play once the window shows frames (the title's fade takes two of the skipped seconds).
for _ in $(seq 600); do
  [ -s "$work/presents" ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended: $(cat "$work/stderr")"
  sleep 0.1
done
[ -s "$work/presents" ] || fail "no frame was presented"
find_window --class '^pokutan$'
xdotool mousemove --window "$window" 320 240 click 1

# Until the stamps cover the skipped and the measured time.
first=$(od -An -t d8 -N 8 "$work/presents" | tr -d ' ')
deadline=$((first + (skip + ${seconds%.*} + 1) * 1000000000))
while :; do
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended: $(cat "$work/stderr")"
  last=$(tail -c 8 "$work/presents" | od -An -t d8 | tr -d ' ')
  [ "$last" -ge "$deadline" ] && break
  sleep 1
done
python3 "$here/present_figures.py" "$work/presents" "$skip" "$seconds" "$setting"
