#!/usr/bin/env bash
# The Windows program, built and played: installs mingw-w64, Wine, Xvfb and xdotool from Debian
# where missing, cross builds and packages it (scripts/package-windows.sh), then runs the zip's
# pokutan.exe under Wine in a private X server as a player would, with Wine's own D3DX switched
# off (the program carries ours): the window captioned ポクタン appears at 640 x 480, a left click
# on the title starts the fade into a play (the picture goes dark), and Escape ends the program
# with exit code 0. Screenshots of the title and the play go to build-windows/shots/; the title's
# white text and its whole picture are compared with the same title drawn by our platform layer
# (docs/title.png). Then the installer runs silently, the installed game starts through its
# Start-menu launcher with a record placed in the player's folder, and the uninstaller leaves
# that record.
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
bash scripts/package-windows.sh build-windows
built=$(date +%s)

out=$root/build-windows
shots=$out/shots
work=$(mktemp -d "$out/play.XXXXXX")
mkdir -p "$shots" "$out/home"
xvfb_pid="" game_pid=""
# d3dx9_43=d: were the program to ask for D3DX after all, it would fail to start.
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;d3dx9_43=d" HOME=$out/home
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

version=$(sed -n 's/^project(pokutan VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
version=${version:-0.0.0}

# Unpacks the zip into $work, with its run folder's files at the top.
unpack_zip() {
  python3 -m zipfile -e "$out/pokutan-$version-windows-x64.zip" "$work/zip"
  mv "$work/zip/pokutan-$version-windows-x64/"* "$work/"
  rm -r "$work/zip"
}

# The whole title against our layer's: its background's brightness spread (see the script).
compare_whole_title() {
  echo "windows: the whole title, our layer (docs/title.png) against our D3DX on Wine's Direct3D 9:"
  python3 tests/smoke/compare_title.py docs/title.png "$shots/title.png" wine ||
    fail "the title's background differs from our layer's"
}

# Waits for the title of the program just started ($game_pid) and keeps its picture as $1.
wait_for_title() {
  find_window --name '^ポクタン$'
  wait_for_brightness 5 128 || fail "the title was not drawn"
  sleep 2
  xwd -silent -id "$window" | python3 tests/smoke/xwd_to_png.py "$1"
}

# The installer run silently (/S) into the prefix's Program Files; the installed game started as
# its Start-menu shortcut starts it, through the launcher, with the record 12 placed in the
# player's own folder where the game writes it (no play reaches the goal here); its title must
# show that record. Then the silent uninstaller: the installed files go, the record stays.
check_installer() {
  local installed="$WINEPREFIX/drive_c/Program Files/POKUTAN"
  local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/POKUTAN.lnk"
  wine "$out/pokutan-$version-setup.exe" /S >>"$out/wine.log" 2>&1 || fail "the installer failed"
  [ -f "$installed/pokutan.exe" ] && [ -f "$installed/pokutan-launcher.exe" ] &&
    [ -f "$installed/Resource/Texture/Background.png" ] || fail "the installer left no game"
  [ -f "$menu" ] || fail "the installer made no Start-menu shortcut"
  echo "windows: setup.exe /S installed the game and its Start-menu shortcut"

  local local_app_data player
  local_app_data=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
  player=$(winepath -u "$local_app_data" 2>/dev/null)/pokutan
  mkdir -p "$player/Resource/Binary"
  printf '12\r\n' >"$player/Resource/Binary/Miss.bin"
  (exec wine "C:\\Program Files\\POKUTAN\\pokutan-launcher.exe" >>"$out/wine.log" 2>&1) &
  game_pid=$!
  wait_for_title "$shots/installed-title.png"
  [ -f "$player/Resource/Texture/Background.png" ] ||
    fail "the launcher did not prepare $player"
  python3 tests/smoke/compare_white_text.py docs/title.png "$shots/installed-title.png" wine ||
    fail "the installed game's title does not show the player's record 12"
  end_with_escape
  echo "windows: the installed game showed the record in $local_app_data\\pokutan; Escape ended it with 0"

  wine "$installed/uninstall.exe" /S >>"$out/wine.log" 2>&1 || fail "the uninstaller failed"
  for _ in $(seq 120); do  # the uninstaller runs on from a copy of itself
    [ -e "$installed" ] || break
    sleep 0.5
  done
  [ ! -e "$installed" ] && [ ! -e "$menu" ] || fail "the uninstaller left the installed game"
  [ "$(tr -d '\r\n' <"$player/Resource/Binary/Miss.bin")" = 12 ] ||
    fail "the uninstaller did not leave the record"
  echo "windows: uninstall.exe /S removed the game and left the record"
}

# ALSA's null device: sound is mixed and thrown away, in real time.
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$out/home/.asoundrc"

# The zip's run folder, as a player unpacks it. It holds the record 12, as the title drawn by our
# layer for the comparison does (and so the Windows build's reading is seen).
unpack_zip
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

# The title is drawn once the first frame has replaced the white of the new window (its white
# text alone brings the mean to about 8).
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
echo "windows: the title's white text, our layer (docs/title.png) against our D3DX on Wine's Direct3D 9:"
python3 tests/smoke/compare_white_text.py docs/title.png "$shots/title.png" wine ||
  echo "windows: the white text differs (see above)"
compare_whole_title
check_installer
echo "windows: build $((built - start)) s, run $(($(date +%s) - built)) s"
