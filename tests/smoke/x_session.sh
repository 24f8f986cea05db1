# Shell functions shared by the scripts that play a real window in a private X server
# (tests/smoke/pokutan_smoke.sh, scripts/windows.sh). Sourced; the caller defines fail() and
# sets work (a scratch folder), window (the game's window id) and game_pid as it goes.
x_session_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

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

# The window's mean brightness, 0 to 255.
brightness() { xwd -silent -id "$window" | python3 "$x_session_dir/xwd_brightness.py"; }

# The darkest of dumps of the window over $1 seconds, $2 seconds apart (default back to back).
darkest() {
  local min=255 b end=$((SECONDS + $1))
  while [ "$SECONDS" -lt "$end" ]; do
    b=$(brightness)
    min=$(awk -v a="$min" -v b="$b" 'BEGIN {print (b < a) ? b : a}')
    sleep "${2:-0}"
  done
  echo "$min"
}

# Presses Escape in the window and fails unless the game then ends with exit code 0.
end_with_escape() {
  xdotool windowfocus --sync "$window" key Escape
  for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
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
