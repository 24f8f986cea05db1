#!/usr/bin/env bash
# The Windows program, built and played: installs mingw-w64, Wine, Xvfb and xdotool from Debian
# where missing, cross builds build-windows/run/pokutan.exe, then runs it under Wine in a private
# X server as a player would: the window captioned ポクタン appears at 640 x 480, a left click on
# the title starts the fade into a play (the picture goes dark), and Escape ends the program with
# exit code 0. Screenshots of the title and the play go to build-windows/shots/, and the title's
# white text is compared with the same title drawn by our platform layer (docs/title.png).
#
# Wine gets a prefix of its own (build-windows/wine), no Mono or Gecko (their installers would ask
# in dialogs), and ALSA's null output as its sound device (a private HOME with an .asoundrc), so
# DirectSound opens, the sounds load and no message box waits for a click.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
x_wait_limit=120  # Wine starts slowly on a busy machine, and draws in software
source tests/smoke/x_session.sh
bash scripts/setup.sh windows
start=$(date +%s)
bash scripts/build-windows.sh build-windows
built=$(date +%s)

out=$root/build-windows
shots=$out/shots
work=$(mktemp -d "$out/play.XXXXXX")
mkdir -p "$shots" "$out/home"
xvfb_pid="" game_pid=""
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME=$out/home
cleanup() {
  if [ -n "$game_pid" ]; then
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "windows: $*" >&2
  [ -n "${DISPLAY:-}" ] && xwd -root -silent | python3 tests/smoke/xwd_to_png.py "$shots/failure.png"
  exit 1
}

# ALSA's null device: sound is mixed and thrown away, in real time.
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$out/home/.asoundrc"

# A copy of the run folder, so a player's record is never touched. It holds the record 12, as the
# title drawn by our layer for the comparison does (and so the Windows build's reading is seen).
cp -r "$out/run/pokutan.exe" "$out/run/Resource" "$work/"
printf '12\r\n' >"$work/Resource/Binary/Miss.bin"

start_xvfb

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 300 wineboot --init >"$out/wineboot.log" 2>&1 || fail "wineboot failed"
fi
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1

(cd "$work" && exec wine pokutan.exe >"$out/wine.log" 2>&1) &
game_pid=$!

find_window --name '^ポクタン$'
expect_640_by_480 "$(xwininfo -id "$window")"
echo "windows: window ポクタン at 640x480"
xprop -id "$window" -notype -f _NET_WM_ICON 32c _NET_WM_ICON |
  python3 tests/smoke/window_icon.py "$out/pokutan.ico" || fail "the window does not show the icon"

# The title is drawn once the first frame has replaced the white of the new window (Wine draws
# the background darker; the title's white text alone brings the mean to about 8).
wait_for_brightness 5 128 || fail "the title was not drawn"
sleep 2
xwd -silent -id "$window" | python3 tests/smoke/xwd_to_png.py "$shots/title.png"
wait_for_brightness 5 128 || fail "the title went away by itself"
before=$picture_brightness
xdotool mousemove --window "$window" 320 240 click 1
wait_for_brightness -1 "$(awk -v b="$before" 'BEGIN {print b / 2}')" ||
  fail "the picture did not go dark after the click"
after=$picture_brightness
echo "windows: title brightness $before, $after after the click"
wait_for_brightness "$(awk -v a="$after" 'BEGIN {print a + 3}')" 256 ||
  fail "the play did not fade in after the black"
sleep 1
xwd -silent -id "$window" | python3 tests/smoke/xwd_to_png.py "$shots/play.png"

end_with_escape
echo "windows: Escape ended pokutan.exe with code 0; screenshots in $shots"

# "CLICK" blinks, so it may be shown in one picture and not in the other.
echo "windows: the title's white text, our layer (docs/title.png) against Wine's Direct3D 9:"
python3 tests/smoke/compare_white_text.py docs/title.png "$shots/title.png" wine ||
  echo "windows: the white text differs (see above)"
echo "windows: build $((built - start)) s, run $(($(date +%s) - built)) s"
