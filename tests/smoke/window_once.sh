#!/usr/bin/env bash
# Starts the real executable in a private X server and watches the desktop's top-level windows
# over the first seconds: the game's window is made once and stays, so exactly one window is
# shown and none that was shown goes away while the game runs (a window replaced behind the
# player's back flashes and may move). Runs with each way the layer may present: SDL's default
# renderer, SDL's software one, and the layer's GL renderer (forced, on Mesa's llvmpipe).
# Usage: window_once.sh RUN_FOLDER (the folder holding pokutan and its Resource/ tree).
set -euo pipefail
run_folder=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x_session.sh"
work=$(mktemp -d)
xvfb_pid="" game_pid="" xev_pid=""
cleanup() {
  for pid in $game_pid $xev_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "window_once: $*" >&2; exit 1; }

cp -r "$run_folder/pokutan" "$run_folder/Resource" "$work/"
start_xvfb
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# The window ids of the events of one kind in xev's log of the root's children.
ids_of() { grep -A1 "^$1 event" "$work/xev.log" | grep -oE ' window 0x[0-9a-f]+' | awk 'NR % 2 == 0 {print $2}'; }

watch_start() { # $1: the SDL render driver, empty for SDL's choice; $2: POKUTAN_RENDERER
  xev -root -event substructure >"$work/xev.log" 2>&1 &
  xev_pid=$!
  sleep 0.5
  (cd "$work" && SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER="$1" POKUTAN_RENDERER="$2" exec ./pokutan) 2>"$work/game.log" &
  game_pid=$!
  # Past the first frames and the title's first presents: however long a slow or sanitizer
  # build takes to start, the watch runs until the title is drawn, and a moment beyond.
  find_window --class '^pokutan$'
  wait_for_brightness 5 128 || fail "renderer '${1:-default}': the title was not drawn"
  sleep 1
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended early: $(cat "$work/game.log")"
  kill "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
  sleep 0.3
  kill "$xev_pid"
  wait "$xev_pid" 2>/dev/null || true
  xev_pid=""
}

for run in sdl: sdl:software gl:; do
  renderer=${run%%:*} driver=${run#*:}
  [ "$renderer" = sdl ] && renderer=""
  watch_start "$driver" "$renderer"
  grep -q "pokutan: renderer ${renderer:-software}" "$work/game.log" ||
    fail "renderer '${renderer:-software}' did not run: $(cat "$work/game.log")"
  mapped=$(ids_of MapNotify | sort -u)
  count=$(grep -c . <<<"$mapped" || true)
  [ "$count" -eq 1 ] || fail "renderer '${renderer:-software}/${driver:-default}': $count windows shown: $(echo $mapped)"
  # The one shown window is destroyed only once, when the game was ended above.
  destroyed=$(ids_of DestroyNotify | grep -cx "$mapped" || true)
  [ "$destroyed" -le 1 ] || fail "renderer '${renderer:-software}/${driver:-default}': the window was destroyed twice"
  created_before_end=$(ids_of CreateNotify | grep -cx "$mapped" || true)
  [ "$created_before_end" -eq 1 ] || fail "renderer '${renderer:-software}/${driver:-default}': window created $created_before_end times"
  echo "window_once: renderer '${renderer:-software}/${driver:-default}': one window, $mapped"
done
