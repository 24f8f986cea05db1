# Shell functions shared by the scripts that play a real window in a private X server
# (tests/smoke/pokutan_smoke.sh, scripts/windows.sh). Sourced; the caller defines fail() and
# sets work (a scratch folder) and game_pid; find_window sets window (the game's window id).
# Nothing is judged within a fixed time: each step waits, polling, for what it looks for, up to
# x_wait_limit seconds, so a slow or busy machine delays the scripts but does not fail them.
x_session_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
x_wait_limit=${x_wait_limit:-60}

# Starts Xvfb on a free display and exports DISPLAY; sets xvfb_pid.
start_xvfb() {
  exec 3<>"$work/displayfd"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local display=""
  for _ in $(seq 100); do
    display=$(head -n 1 "$work/displayfd" 2>/dev/null || true)
    [ -n "$display" ] && break
    sleep 0.1
  done
  [ -n "$display" ] || fail "Xvfb did not start"
  export DISPLAY=":$display"
}

# Fails unless the window's client area is 640 x 480; $1: xwininfo's output for it.
expect_640_by_480() {
  local width height
  read -r width height < <(awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}' <<<"$1")
  [ "$width" = 640 ] && [ "$height" = 480 ] || fail "window is ${width}x${height}, not 640x480"
}

# The viewable windows that "xdotool search $@" finds and whose caption is ポクタン, one a line.
captioned_windows() {
  local id
  for id in $(xdotool search --onlyvisible "$@" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = ポクタン ] && echo "$id"
  done
  return 0
}

# Sets window to the game's window: the single viewable window captioned ポクタン among those
# that "xdotool search $@" finds, the same in five polls in a row (a window can be replaced by
# another while the program starts). Remembers the search, to follow the game to a new window.
find_window() {
  x_window_search=("$@")
  local found seen="" polls=0 end=$((SECONDS + x_wait_limit))
  while [ "$SECONDS" -lt "$end" ]; do
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended before its window was found"
    found=$(captioned_windows "$@" | paste -sd ' ')
    if [ "$found" = "$seen" ]; then polls=$((polls + 1)); else polls=1; fi
    seen=$found
    if [ "$polls" -ge 5 ] && [[ "$found" =~ ^[0-9]+$ ]]; then
      window=$found
      return 0
    fi
    sleep 0.2
  done
  local id names=""
  for id in $(xdotool search "$@" 2>/dev/null); do
    names+=" $id \"$(xdotool getwindowname "$id" 2>/dev/null)\""
  done
  fail "no single window captioned ポクタン stayed in view for ${x_wait_limit} s (windows:${names:- none})"
}

# Waits until the window's mean brightness (0 to 255) lies strictly between $1 and $2 and sets
# picture_brightness to it; if the window goes away, follows the game to its new window.
# Returns 1 when x_wait_limit seconds pass first (the brightness seen is on stderr).
wait_for_brightness() {
  local code end=$((SECONDS + x_wait_limit))
  while :; do
    code=0
    picture_brightness=$(python3 "$x_session_dir/xwd_brightness.py" --window "$window" \
      --above "$1" --below "$2" --seconds $((end - SECONDS))) || code=$?
    [ "$code" -eq 3 ] && [ "$SECONDS" -lt "$end" ] || return "$code"
    find_window "${x_window_search[@]}"
  done
}

# Presses Escape in the window and fails unless the game then ends with exit code 0.
end_with_escape() {
  timeout "$x_wait_limit" xdotool windowfocus --sync "$window" key Escape ||
    fail "could not press Escape in the window"
  local end=$((SECONDS + x_wait_limit))
  while [ "$SECONDS" -lt "$end" ]; do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.2
  done
  kill -0 "$game_pid" 2>/dev/null && fail "Escape did not end the program"
  local code
  set +e
  wait "$game_pid"
  code=$?
  set -e
  game_pid=""
  [ "$code" -eq 0 ] || fail "exit code $code"
}
